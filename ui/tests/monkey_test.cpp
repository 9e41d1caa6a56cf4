// A seeded monkey: thousands of random events thrown at the real window at random moments,
// inside the step waits of moves included, with the game's consistency checked after each.
//
//     PENTORA_MONKEY_SEED=N     replays a run (the seed is printed at the start; CTest fixes
//                               one, and without it every run draws a fresh seed)
//     PENTORA_MONKEY_EVENTS=N   a longer soak (default 20000)
//     PENTORA_MONKEY_JOURNAL=F  each event also written to the file F as it is sent, so that a
//                               run that dies without a word still tells what it did last
#include "window_harness.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <sstream>

namespace pentora::testing {
namespace {

unsigned long envNumber(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoul(text, nullptr, 10) : fallback;
}

class Monkey : public WindowTest {
protected:
    Monkey()
        : seed_(static_cast<unsigned>(envNumber(
              "PENTORA_MONKEY_SEED",
              static_cast<unsigned long>(
                  std::chrono::system_clock::now().time_since_epoch().count() % 1000000007)))),
          target_(static_cast<int>(envNumber("PENTORA_MONKEY_EVENTS", 20000))), chance_(seed_) {
        std::printf("monkey seed %u, %d events (PENTORA_MONKEY_SEED=%u replays it)\n", seed_,
                    target_, seed_);
        std::fflush(stdout);
        if (const char* path = std::getenv("PENTORA_MONKEY_JOURNAL");
            path != nullptr && *path != '\0') {
            journal_.reset(std::fopen(path, "w"));
        }
        Timer1->setInterval(1);
        catcher.onBox = [this](QMessageBox& box) {
            QTimer::singleShot(static_cast<int>(chance_() % 12), &box,
                               [boxPtr = &box] { MessageCatcher::pressOk(*boxPtr); });
        };
    }

    void run() {
        QTimer driver;
        driver.setSingleShot(true);
        QEventLoop loop;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            // The next event is due before this one is handled, so that it can arrive inside
            // the waits of the move this one starts.
            if (events_ + 1 < target_ && !failed_) {
                driver.start(static_cast<int>(chance_() % 3));
            }
            ++depth_;
            if (QApplication::activeModalWidget() == nullptr && !failed_) {
                act();
                check();
            }
            --depth_;
            if (depth_ == 0 && (events_ >= target_ || failed_)) {
                loop.quit();
            } else if (depth_ == 0 && !driver.isActive()) {
                driver.start(0);
            }
        });
        driver.start(0);
        loop.exec();
        EXPECT_GE(events_, target_);
        std::printf("monkey: %d events, %d starts, %d pot clicks, deepest event nesting %d\n",
                    events_, starts_, potClicks_, deepest_);
    }

private:
    void note(const std::string& what) {
        std::ostringstream line;
        line << events_ << " [depth " << depth_ << "] " << what;
        log_.push_back(line.str());
        if (journal_) {
            std::fprintf(journal_.get(), "%s\n", log_.back().c_str());
            std::fflush(journal_.get());
        }
        if (log_.size() > 60) {
            log_.pop_front();
        }
    }

    static void sendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button) {
        const std::unique_ptr<QMouseEvent> event(mouseEventAt(target, type, button));
        QApplication::sendEvent(target, event.get());
    }

    // Types each character as a key press carrying it, as a keyboard or an input method would.
    void typeText(const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
            QApplication::sendEvent(Combo1->lineEdit(), &press);
            i += length - 1;
        }
    }

    QString randomText() {
        switch (chance_() % 6) {
        case 0:
            return {};
        case 1:
            return QString(10000, QChar(u'a' + static_cast<char16_t>(chance_() % 26)));
        case 2: { // random Unicode, surrogate pairs included
            QString text;
            const int length = static_cast<int>(chance_() % 40);
            for (int i = 0; i < length; ++i) {
                const auto code = static_cast<char32_t>(0x20 + chance_() % 0x1FFE0);
                if (code >= 0xD800 && code <= 0xDFFF) {
                    continue;
                }
                text += QString::fromUcs4(&code, 1);
            }
            return text;
        }
        case 3:
            return kDifficultyItems.at(static_cast<int>(chance_() % 6)).toUpper();
        case 4:
            return QStringLiteral(" ") + kDifficultyItems.at(static_cast<int>(chance_() % 6));
        default:
            return kDifficultyItems.at(static_cast<int>(chance_() % 6)) + QStringLiteral(" ");
        }
    }

    void act() {
        ++events_;
        deepest_ = std::max(deepest_, depth_);
        const auto kind = static_cast<unsigned>(chance_() % 100);
        if (kind < 30) {
            const auto slot = static_cast<Count>(chance_() % kSlotsPerSide);
            note("click Human" + std::to_string(slot));
            ++potClicks_;
            sendMouse(pot(Side::Human, slot), QEvent::MouseButtonPress, Qt::LeftButton);
            sendMouse(pot(Side::Human, slot), QEvent::MouseButtonRelease, Qt::LeftButton);
        } else if (kind < 35) {
            const auto slot = static_cast<Count>(chance_() % kSlotsPerSide);
            note("click CPU" + std::to_string(slot));
            sendMouse(pot(Side::Cpu, slot), QEvent::MouseButtonPress, Qt::LeftButton);
            sendMouse(pot(Side::Cpu, slot), QEvent::MouseButtonRelease, Qt::LeftButton);
        } else if (kind < 55) {
            const auto slot = static_cast<Count>(chance_() % kSlotsPerSide);
            note("hover Human" + std::to_string(slot));
            sendMouse(pot(Side::Human, slot), QEvent::MouseMove, Qt::NoButton);
        } else if (kind < 65) {
            note("start with '" + Combo1->currentText().left(40).toStdString() + "'");
            ++starts_;
            QTest::mouseClick(StatBTN, Qt::LeftButton);
        } else if (kind < 72) {
            const QString& item = kDifficultyItems.at(static_cast<int>(chance_() % 6));
            note("choose " + item.toStdString());
            Combo1->setEditText(item);
        } else if (kind < 80) {
            const QString text = randomText();
            note("type " + std::to_string(text.size()) + " characters");
            Combo1->lineEdit()->clear();
            if (text.size() < 100) {
                typeText(text);
            } else {
                Combo1->setEditText(text);
            }
        } else if (kind < 84) {
            note("menu Istruzioni");
            window->controls().Istruzioni->trigger();
        } else if (kind < 87) {
            note("menu Bug Report");
            window->controls().BugReport->trigger();
        } else {
            note("let time pass");
        }
    }

    void fail(const std::string& what) {
        failed_ = true;
        std::ostringstream out;
        out << what << "\nseed " << seed_ << " (PENTORA_MONKEY_SEED=" << seed_
            << " replays it); the last events:\n";
        for (const std::string& line : log_) {
            out << "  " << line << "\n";
        }
        ADD_FAILURE() << out.str();
    }

    // Everything that must hold whenever an event has been handled. At the outermost level no
    // move is in progress, so every bean is in a pot.
    void check() {
        const Board board = shown();
        const Game& game = window->game();
        if (!started_) {
            started_ = game.gameOn();
            if (!started_ && board != Board{}) {
                fail("a label changed before the first start");
                return;
            }
        }
        for (const Side side : {Side::Human, Side::Cpu}) {
            for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
                const Count n = board.at(side, slot);
                if (n < 0 || n > kTotalBeans) {
                    fail("a pot holds " + std::to_string(n) + " beans");
                    return;
                }
            }
        }
        if (!pot(Side::Human, kBigPot)->isEnabled()) {
            fail("the human's big pot was switched off");
            return;
        }
        // A hover never waits inside another wait: at most a hover wait and the step of a move
        // that a click started inside it.
        if (game.waitDepth() > 2) {
            fail("waits nested " + std::to_string(game.waitDepth()) + " deep");
            return;
        }
        const bool moving = game.computerMoving();
        for (Count slot = 0; slot < kPotsPerSide; ++slot) {
            if (pot(Side::Human, slot)->isEnabled() == moving) {
                fail("the human's pots are enabled only while the computer is moving");
                return;
            }
        }
        if (!moving && window->windowTitle() != "Pentora") {
            fail("title '" + window->windowTitle().toStdString() + "' outside the computer's move");
            return;
        }
        if (depth_ == 1) {
            if (started_ && board.total() != kTotalBeans) {
                fail("the board holds " + std::to_string(board.total()) + " beans");
            } else if (QApplication::activeModalWidget() != nullptr) {
                fail("a message box was left open");
            } else if (Timer1->isActive()) {
                fail("the step timer runs with no move in progress");
            }
        } else if (board.total() > kTotalBeans) {
            fail("the board holds " + std::to_string(board.total()) + " beans");
        }
    }

    unsigned seed_;
    int target_;
    std::mt19937 chance_;
    std::deque<std::string> log_;
    struct Close {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Close> journal_;
    int events_ = 0;
    int depth_ = 0;
    int deepest_ = 0;
    int starts_ = 0;
    int potClicks_ = 0;
    bool started_ = false;
    bool failed_ = false;
};

TEST_F(Monkey, RandomEventsAtRandomMomentsKeepTheGameConsistent) {
    run();
}

} // namespace
} // namespace pentora::testing
