// Plays one human move of many beans at the normal pace of 500 ms a step and reports the CPU
// time the process used while the move (and the computer's reply) was shown, and the length of
// every step.
//
//     move_probe BEANS
#include "form1.h"
#include "random_source.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const auto beans = static_cast<pentora::Count>(argc > 1 ? std::atoi(argv[1]) : 12);
    pentora::ClockSeededRandom random;
    pentora::Form1 window(random);
    window.show();

    const pentora::Form1::Controls controls = window.controls();
    QTimer* timer = controls.Timer1;
    std::vector<qint64> ticks;
    QElapsedTimer clock;
    QObject::connect(timer, &QTimer::timeout, &window,
                     [&] { ticks.push_back(clock.nsecsElapsed()); });

    QTimer::singleShot(200, &window, [&] {
        controls.Combo1->setCurrentIndex(5);
        QTest::mouseClick(controls.StatBTN, Qt::LeftButton);
        // The human's pot 0 holds the move's beans, taken from the computer's first pots; the
        // game goes on after the move.
        pentora::Board board = pentora::Board::opening();
        board.at(pentora::Side::Human, 0) = beans;
        int extra = beans - 4;
        for (pentora::Count slot = 0; extra > 0 && slot < pentora::kPotsPerSide; ++slot) {
            const int taken = std::min(extra, 4);
            board.at(pentora::Side::Cpu, slot) = static_cast<pentora::Count>(4 - taken);
            extra -= taken;
        }
        window.game().loadPosition(board);

        const double cpuBefore = cpuSeconds();
        clock.start();
        QTest::mouseClick(window.pot(pentora::Side::Human, 0), Qt::LeftButton);
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        const double cpu = cpuSeconds() - cpuBefore;

        std::printf("move_wall_s %.3f\nmove_cpu_s %.4f\nmove_cpu_percent %.3f\nsteps %zu\n", wall,
                    cpu, 100.0 * cpu / wall, ticks.size());
        // The first step starts at the click; each later one at the tick before it.
        qint64 previous = 0;
        for (const qint64 tick : ticks) {
            std::printf("step_ms %.3f\n", static_cast<double>(tick - previous) / 1e6);
            previous = tick;
        }
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}
