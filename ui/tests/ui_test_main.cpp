// Runs the window's tests inside one QApplication set up by the program's own start-up, on the
// offscreen platform unless the environment names another.
#include "application.h"

#include <QApplication>
#include <QByteArray>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    QApplication app(argc, argv);
    pentora::setUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
