// Pentora: a sowing game against the computer.
#include "application.h"
#include "form1.h"
#include "random_source.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pentora::setUpApplication(app);

    pentora::ClockSeededRandom random;
    pentora::Form1 window(random);
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return QApplication::exec();
}
