// Runs the window's tests inside one QApplication set up as the program's, on the offscreen
// platform unless the environment names another.
#include "qt_italian.h"

#include <QApplication>
#include <QByteArray>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    QApplication app(argc, argv);
    pentora::installQtItalian(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
