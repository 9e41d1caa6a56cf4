// Games played through the widgets: every step of every move checked on the labels, the hover
// light, and the events a player can throw into the middle of a move.
#include "game_end.h"
#include "qtext.h"
#include "sowing.h"
#include "texts.h"
#include "window_harness.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace pentora::testing {
namespace {

const QString kMoving = qs(texts::kMoving);

class Playing : public WindowTest {
protected:
    Playing() {
        Timer1->setInterval(1);
        // Runs after the window's own tick handler: the pot is still lit and its count not yet
        // raised.
        QObject::connect(Timer1, &QTimer::timeout, [this] { tick(); });
    }

    void tick() {
        ++ticks;
        if (checker) {
            checker->step();
        }
        if (auto it = atTick.find(ticks); it != atTick.end()) {
            auto action = std::move(it->second);
            atTick.erase(it);
            action();
        }
    }

    void click(Side side, Count slot) { QTest::mouseClick(pot(side, slot), Qt::LeftButton); }
    void hover(Count slot) {
        QLabel* label = pot(Side::Human, slot);
        const std::unique_ptr<QMouseEvent> move(mouseEventAt(label, QEvent::MouseMove));
        QApplication::sendEvent(label, move.get());
    }
    bool humanPotsEnabled() const {
        for (Count slot = 0; slot < kPotsPerSide; ++slot) {
            if (!pot(Side::Human, slot)->isEnabled()) {
                return false;
            }
        }
        return true;
    }
    void expectRestingGame() {
        EXPECT_EQ(window->windowTitle(), "Pentora");
        EXPECT_TRUE(humanPotsEnabled());
        EXPECT_EQ(litSlot(Side::Human), kNoSlot);
        EXPECT_EQ(litSlot(Side::Cpu), kNoSlot);
        EXPECT_FALSE(Timer1->isActive());
    }
    void expectFreshGame() {
        EXPECT_EQ(shown(), Board::opening());
        EXPECT_TRUE(window->game().gameOn());
        EXPECT_TRUE(window->game().humanToMove());
        EXPECT_EQ(StatBTN->text(), "Nuova\nPartita");
        expectRestingGame();
    }

    // Follows a game on the labels: at every tick the lit pot must be the next drop of the move
    // in progress, and the labels must show the board up to the drop before it.
    class StepChecker {
    public:
        explicit StepChecker(Playing& test) : t_(test), expected_(test.shown()) {}

        void humanMove(Count slot) {
            finishMove();
            begin(Side::Human, slot);
        }

        void step() {
            ++steps;
            const Count litHuman = t_.litSlot(Side::Human);
            const Count litCpu = t_.litSlot(Side::Cpu);
            if (!dropPending()) {
                // A computer move begins: its chosen pot is lit first, still showing its beans.
                finishMove();
                EXPECT_EQ(t_.shown(), expected_) << "at step " << steps;
                EXPECT_EQ(litHuman, kNoSlot);
                ASSERT_NE(litCpu, kNoSlot);
                EXPECT_GT(expected_.at(Side::Cpu, litCpu), 0);
                EXPECT_EQ(t_.window->windowTitle(), kMoving);
                EXPECT_FALSE(t_.humanPotsEnabled());
                EXPECT_TRUE(t_.pot(Side::Human, kBigPot)->isEnabled());
                begin(Side::Cpu, litCpu);
                return;
            }
            EXPECT_EQ(t_.shown(), expected_) << "at step " << steps;
            const Write drop = pending_.front().write;
            pending_.pop_front();
            EXPECT_EQ(drop.side == Side::Human ? litHuman : litCpu, drop.slot);
            EXPECT_EQ(drop.side == Side::Human ? litCpu : litHuman, kNoSlot);
            apply(expected_, drop);
        }

        // The board once the move in progress has ended, its capture included.
        const Board& settle() {
            EXPECT_FALSE(dropPending());
            finishMove();
            return expected_;
        }
        void reset(const Board& board) { expected_ = board; }

        int steps = 0;

    private:
        // The move's writes are checked against the labels one tick at a time: the lift at once,
        // each drop at its step, the capture when the move ends.
        void begin(Side mover, Count slot) {
            const Move move = describeMove(expected_, mover, slot);
            pending_.assign(move.steps().begin() + 1, move.steps().end());
            apply(expected_, move.steps().front().write);
        }
        bool dropPending() const {
            return std::any_of(pending_.begin(), pending_.end(),
                               [](const MoveStep& s) { return s.kind == MoveStep::Kind::Drop; });
        }
        void finishMove() {
            for (const MoveStep& s : pending_) {
                apply(expected_, s.write);
            }
            pending_.clear();
        }

        Playing& t_;
        Board expected_;
        std::deque<MoveStep> pending_;
    };

    // Plays one whole game with random human moves, checking every step; returns the moves.
    int playWholeGame(const QString& difficulty, unsigned seed) {
        startGame(difficulty);
        expectFreshGame();
        std::mt19937 player(seed);
        checker.emplace(*this);
        int moves = 0;
        while (window->game().gameOn() && moves < 1000) {
            std::vector<Count> choices;
            for (Count slot = 0; slot < kPotsPerSide; ++slot) {
                if (shown().at(Side::Human, slot) > 0) {
                    choices.push_back(slot);
                }
            }
            if (choices.empty()) {
                ADD_FAILURE() << "a running game left the human without beans";
                break;
            }
            const Count slot = choices.at(player() % choices.size());
            const std::size_t boxesBefore = catcher.boxes.size();
            checker->humanMove(slot);
            click(Side::Human, slot);
            ++moves;
            if (HasFatalFailure()) {
                break;
            }
            Board settled = checker->settle();
            if (catcher.boxes.size() > boxesBefore) {
                // The game ended: the rest is swept into the big pots, the result announced,
                // the board reset.
                EXPECT_EQ(catcher.boxes.size(), boxesBefore + 1);
                EXPECT_FALSE(window->game().gameOn());
                EXPECT_TRUE(isGameOver(settled));
                for (const Write& w : sweepWrites(settled)) {
                    apply(settled, w);
                }
                EXPECT_EQ(settled.total(), kTotalBeans);
                const Box& result = catcher.boxes.back();
                EXPECT_EQ(result.title, "Pentora");
                EXPECT_EQ(result.text.toStdString(),
                          texts::resultText(settled.at(Side::Cpu, kBigPot),
                                            settled.at(Side::Human, kBigPot)));
                EXPECT_EQ(shown(), Board::opening());
                EXPECT_EQ(StatBTN->text(), "Inizia");
                break;
            }
            EXPECT_EQ(shown(), settled);
            EXPECT_EQ(settled.total(), kTotalBeans);
            expectRestingGame();
        }
        EXPECT_FALSE(window->game().gameOn()) << "the game did not end";
        checker.reset();
        return moves;
    }

    int ticks = 0;
    std::map<int, std::function<void()>> atTick;
    std::optional<StepChecker> checker;
};

TEST_F(Playing, WholeGamesAtEveryLevelShowEveryBeanStepByStep) {
    for (int level = 1; level <= 6; ++level) {
        SCOPED_TRACE(level);
        const int ticksBefore = ticks;
        const int moves =
            playWholeGame(kDifficultyItems.at(level - 1), static_cast<unsigned>(level));
        EXPECT_GT(moves, 0);
        EXPECT_GT(ticks - ticksBefore, moves); // every move shows at least one step
    }
}

TEST_F(Playing, TheComputersTitlesAndDisabledPotsLastExactlyItsTurn) {
    startGame(kDifficultyItems.at(5));
    std::vector<QString> titles;
    atTick[1] = [&] { titles.push_back(window->windowTitle()); };
    atTick[2] = [&] { titles.push_back(window->windowTitle()); };
    atTick[3] = [&] { titles.push_back(window->windowTitle()); };
    click(Side::Human, 0); // 4 beans: pots 1 to 4, then the computer replies
    ASSERT_EQ(titles.size(), 3U);
    EXPECT_EQ(titles.at(0), "Pentora");
    EXPECT_EQ(window->windowTitle(), "Pentora");
    expectRestingGame();
    EXPECT_EQ(shown().total(), kTotalBeans);
}

TEST_F(Playing, TheMouseLightsTheHumansPotsOnlyDuringTheirTurn) {
    hover(2); // no game yet
    EXPECT_EQ(litSlot(Side::Human), kNoSlot);
    EXPECT_EQ(ticks, 0);

    startGame(kDifficultyItems.at(0));
    for (const Count slot : {Count{0}, Count{3}, Count{5}}) {
        hover(slot);
        EXPECT_EQ(litSlot(Side::Human), slot);
    }
    EXPECT_EQ(ticks, 3); // each hover waited for its tick
    hover(kBigPot);
    EXPECT_EQ(litSlot(Side::Human), kNoSlot);

    // During the computer's move the human's pots are disabled and take no hover.
    std::optional<Count> litDuringComputer;
    QObject::connect(Timer1, &QTimer::timeout, [&] {
        if (!litDuringComputer && window->windowTitle() == kMoving) {
            EXPECT_FALSE(pot(Side::Human, 1)->isEnabled());
            hover(1);
            litDuringComputer = litSlot(Side::Human);
        }
    });
    click(Side::Human, 0);
    EXPECT_EQ(litDuringComputer, std::optional<Count>(kNoSlot)); // hovered once, and not lit
}

TEST_F(Playing, AMouseThatNeverStopsCannotPileUpWaits) {
    Timer1->setInterval(200);
    startGame(kDifficultyItems.at(2));

    // Thousands of moves queued while the first hover waits for its tick: each is handled inside
    // that one wait, never in a wait of its own, and the tick still ends the wait.
    int deepestWait = 0;
    int seen = 0;
    struct Probe : QObject {
        std::function<void()> onMove;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::MouseMove) {
                onMove();
            }
            return false;
        }
    } probe;
    probe.onMove = [&] {
        deepestWait = std::max(deepestWait, window->game().waitDepth());
        if (deepestWait > 1) {
            window->close(); // a pile has begun: closing ends every wait in it at once
        }
        ++seen;
    };
    for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
        pot(Side::Human, slot)->installEventFilter(&probe);
    }
    constexpr int kMoves = 5000;
    for (int i = 0; i < kMoves; ++i) {
        QLabel* label = pot(Side::Human, static_cast<Count>(i % kPotsPerSide));
        QCoreApplication::postEvent(label, mouseEventAt(label, QEvent::MouseMove));
    }
    hover(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, kMoves + 1);
    EXPECT_EQ(deepestWait, 1) << "hover events were handled in waits of their own";
    EXPECT_EQ(litSlot(Side::Human), (kMoves - 1) % kPotsPerSide);
    EXPECT_GE(ticks, 1);
    EXPECT_EQ(shown(), Board::opening());
}

// The processor time the calling thread has used, in seconds: the window's own thread, where a
// wait that spins would spend it, without what the platform's threads do beside it.
double threadProcessorSeconds() {
#ifdef _WIN32
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>((std::uint64_t{t.dwHighDateTime} << 32U) | t.dwLowDateTime) *
               1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

// Whether this Windows program runs under Wine, whose ntdll says so.
bool underWine() {
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

TEST_F(Playing, AStepWaitSleepsInTheEventLoop) {
    // Under Wine processor time cannot tell a sleeping wait from a spinning one: each pass of
    // a spinning loop there is a round trip to the Wine server, and read 0.04 to 0.40 of a
    // 500 ms step, while the game's sleeping wait read 0.06 to 0.30 and Qt's own event loop,
    // asleep on a timer, 0.06 to 0.26. The wait is the same code everywhere.
    if (underWine()) {
        GTEST_SKIP() << "processor time under Wine says nothing of sleeping or spinning";
    }
    startGame(kDifficultyItems.at(0));
    Timer1->setInterval(kStepMs); // the game's own step
    QElapsedTimer wall;
    const double before = threadProcessorSeconds();
    wall.start();
    hover(2); // lights the pot and waits for one real tick
    const double busy =
        (threadProcessorSeconds() - before) / (static_cast<double>(wall.nsecsElapsed()) * 1e-9);
    EXPECT_EQ(ticks, 1);
    // A wait that spins uses the whole of it (0.999 on Linux); one that sleeps, a few per cent.
    EXPECT_LT(busy, 0.25);
}

TEST_F(Playing, AClickOnThePotLitByTheMouseStartsTheMoveAtOnce) {
    Timer1->setInterval(50);
    startGame(kDifficultyItems.at(0));
    QLabel* label = pot(Side::Human, 2);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(label, mouseEventAt(label, type));
    }
    Timer1->setInterval(1);
    hover(2); // the click is handled inside this hover's wait
    EXPECT_EQ(shown().at(Side::Human, 2), 0);
    EXPECT_EQ(shown().total(), kTotalBeans);
    EXPECT_TRUE(window->game().humanToMove());
    expectRestingGame();
}

TEST_F(Playing, AStartInTheMiddleOfAMoveAbandonsItAndBeginsClean) {
    startGame(kDifficultyItems.at(5));
    // During the human's sowing.
    atTick[2] = [&] { QTest::mouseClick(StatBTN, Qt::LeftButton); };
    click(Side::Human, 0);
    expectFreshGame();

    // During the computer's move, once it has started dropping beans.
    bool started = false;
    QMetaObject::Connection watch = QObject::connect(Timer1, &QTimer::timeout, [&] {
        if (!started && window->windowTitle() == kMoving && litSlot(Side::Human) != kNoSlot) {
            started = true;
            QTest::mouseClick(StatBTN, Qt::LeftButton);
        }
    });
    click(Side::Human, 1);
    QObject::disconnect(watch);
    EXPECT_TRUE(started);
    expectFreshGame();

    // The new game plays on normally.
    checker.emplace(*this);
    checker->humanMove(2);
    click(Side::Human, 2); // ends in the big pot: another move
    EXPECT_EQ(shown(), checker->settle());
    EXPECT_TRUE(window->game().humanToMove());
}

TEST_F(Playing, TheExitInTheMiddleOfAMoveClosesTheWindowAndWritesNothingMore) {
    startGame(kDifficultyItems.at(5));
    Board atExit{};
    atTick[3] = [&] {
        QTest::mouseClick(ExitBTN, Qt::LeftButton);
        atExit = shown();
    };
    click(Side::Human, 5);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->game().closing());
    EXPECT_FALSE(Timer1->isActive());
    EXPECT_EQ(shown(), atExit);
    EXPECT_LT(shown().total(), kTotalBeans); // the beans in hand were never dropped
}

TEST_F(Playing, AHelpBoxOpenedDuringAMoveHoldsItUntilClosed) {
    startGame(kDifficultyItems.at(5));
    checker.emplace(*this);
    Board whileOpen{};
    int ticksWhileOpen = 0;
    bool stillHeld = false;
    catcher.onBox = [&](QMessageBox& box) {
        whileOpen = shown();
        ticksWhileOpen = ticks;
        // Leave it open for a good many step intervals.
        QTimer::singleShot(40, &box, [&, boxPtr = &box] {
            stillHeld = shown() == whileOpen && ticks <= ticksWhileOpen + 1;
            MessageCatcher::pressOk(*boxPtr);
        });
    };
    atTick[2] = [&] {
        ASSERT_TRUE(makeActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
    };
    checker->humanMove(0);
    click(Side::Human, 0);
    ASSERT_EQ(catcher.boxes.size(), 1U);
    EXPECT_EQ(catcher.boxes.at(0).title, "ISTRUZIONI");
    EXPECT_TRUE(stillHeld);
    EXPECT_EQ(shown(), checker->settle()); // the move went on to its end
    expectRestingGame();
}

} // namespace
} // namespace pentora::testing
