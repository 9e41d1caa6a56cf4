// Pentora: a sowing game against the computer.
#include "form1.h"
#include "qt_italian.h"
#include "qtext.h"
#include "random_source.h"
#include "texts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(pentora::qs(pentora::texts::kAppTitle));
    QApplication::setApplicationVersion(QStringLiteral(PENTORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(PENTORA_APP_ID));
    pentora::installQtItalian(app);

    pentora::ClockSeededRandom random;
    pentora::Form1 window(random);
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return QApplication::exec();
}
