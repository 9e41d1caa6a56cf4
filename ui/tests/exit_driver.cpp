// Starts the game as the real program does, plays a move and ends the program at a random
// moment of it: by "-- E S C I --" or by closing the window as the window manager would. The
// exit code is the program's own, so a test can require 0.
//
//     exit_driver SEED
#include "application.h"
#include "form1.h"
#include "random_source.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pentora::setUpApplication(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED\n", argv[0]);
        return 2;
    }
    const auto seed = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
    std::mt19937 chance(seed);

    pentora::ClockSeededRandom random;
    pentora::Form1 window(random);
    window.show();

    const pentora::Form1::Controls controls = window.controls();
    QTimer* timer = controls.Timer1;
    QPushButton* start = controls.StatBTN;
    QPushButton* exitButton = controls.ExitBTN;
    QComboBox* difficulty = controls.Combo1;
    timer->setInterval(1 + static_cast<int>(chance() % 4));

    const bool byButton = chance() % 2 == 0;
    const int exitTick = 1 + static_cast<int>(chance() % 40);
    int ticks = 0;
    auto leave = [&] {
        if (byButton) {
            QTest::mouseClick(exitButton, Qt::LeftButton);
        } else {
            window.windowHandle()->close();
        }
    };
    QObject::connect(timer, &QTimer::timeout, &window, [&] {
        if (++ticks == exitTick) {
            leave();
        }
    });

    QTimer::singleShot(0, &window, [&] {
        difficulty->setCurrentIndex(static_cast<int>(chance() % 6));
        QTest::mouseClick(start, Qt::LeftButton);
        // Moves from the human's pots until the chosen tick ends the program; a move that is
        // over before then is followed by the next one.
        for (int move = 0; move < 200 && window.isVisible(); ++move) {
            const auto slot = static_cast<pentora::Count>(chance() % pentora::kPotsPerSide);
            QTest::mouseClick(window.pot(pentora::Side::Human, slot), Qt::LeftButton);
            if (!window.game().gameOn()) {
                QTest::mouseClick(start, Qt::LeftButton);
            }
        }
        if (window.isVisible()) {
            leave();
        }
    });
    return QApplication::exec();
}
