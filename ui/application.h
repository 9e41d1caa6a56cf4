// What the program sets up before its window, once: its names for the desktop, Qt's own words in
// Italian, and what a screen reader sees of the pots. The program, its tests and its tools start
// the same way.
#pragma once

class QApplication;

namespace pentora {

void setUpApplication(QApplication& app);

} // namespace pentora
