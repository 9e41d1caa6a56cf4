#include "application.h"

#include "announcer.h"
#include "pot_accessible.h"
#include "qt_italian.h"
#include "qtext.h"
#include "texts.h"

#include <QApplication>

namespace pentora {

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(qs(texts::kAppTitle));
    QApplication::setApplicationVersion(QStringLiteral(PENTORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(PENTORA_APP_ID));
    installQtItalian(app);
    PotAccessible::install();
    Announcer::install();
}

} // namespace pentora
