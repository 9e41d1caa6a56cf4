// The yardstick: the smallest Qt Widgets window of the game's size, with a menu bar, a few
// controls and a picture, ended at its first paint (see first_paint.h).
#include "first_paint.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pentora::bench::FirstPaint probe;
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("Menu"));
    auto* client = new QWidget(&window);
    client->setFixedSize(649, 400);
    auto* button = new QPushButton(QStringLiteral("Button"), client);
    button->move(216, 160);
    auto* label = new QLabel(QStringLiteral("0"), client);
    label->move(48, 304);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
