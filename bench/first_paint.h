// Reports, for the benchmark script, when a program first painted its window and how much
// memory it had taken by then, then ends the program.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace pentora::bench {

class FirstPaint final : public QObject {
public:
    FirstPaint() { qApp->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            painted_ = true;
            // Let the whole first frame finish before reading the clock.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("first_paint_epoch_ns %lld\npeak_rss_kib %ld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                            usage.ru_maxrss);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    bool painted_ = false;
};

} // namespace pentora::bench
