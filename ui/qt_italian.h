// Qt's own words (the edit menu of a text box, the standard buttons) in Italian like the game's,
// whatever the desktop's language.
#pragma once

class QCoreApplication;

namespace pentora {

// Installs Qt's Italian translation from Qt's translations folder. Where it is not installed,
// Qt's words stay English and this returns false.
bool installQtItalian(QCoreApplication& app);

} // namespace pentora
