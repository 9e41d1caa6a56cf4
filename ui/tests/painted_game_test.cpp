// The end of a game at the window's own pace, watched as a sighted player watches it: read off
// the X server's screen every few milliseconds, never from the widgets' settings. Each painted
// step must light the rules' next pot in magenta and leave every other pot white, show the
// fourteen counts the rules give, under the title of its phase, and last about half a second.
#include "game_end.h"
#include "qtext.h"
#include "sowing.h"
#include "texts.h"
#include "window_harness.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <limits>
#include <optional>
#include <vector>

namespace pentora::testing {
namespace {

const QColor kWhite(Qt::white);
const QColor kMagenta(0xFF, 0x00, 0xFF);

// The board as the screen shows it at one moment.
struct Painted {
    Board board{};
    Side litSide = Side::Human;
    Count lit = kNoSlot; // one pot at most
    QString title;
    QString faults; // pots neither white nor magenta, counts not drawn as a count is, two lit

    friend bool operator==(const Painted&, const Painted&) = default;
};

std::string describe(const Board& board, Side litSide = Side::Human, Count lit = kNoSlot) {
    std::string s;
    for (const Side side : {Side::Cpu, Side::Human}) {
        s += side == Side::Cpu ? "computer" : "; yours";
        for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
            const bool isLit = side == litSide && slot == lit;
            s += (isLit ? " [" : " ") + std::to_string(board.at(side, slot)) + (isLit ? "]" : "");
        }
    }
    return s;
}

std::string describe(const Painted& p) {
    return describe(p.board, p.litSide, p.lit) + " under \"" + p.title.toStdString() + "\"" +
           (p.faults.isEmpty() ? "" : "; " + p.faults.toStdString());
}

QString potName(Side side, Count slot) {
    return QStringLiteral("pot %1 of %2")
        .arg(slot)
        .arg(side == Side::Human ? "yours" : "the computer's");
}

// Reads the board off the screen: each pot's fill at its corner, its count as the drawn count it
// is nearest to (drawn here, black in the pot's font, on each fill).
class ScreenReader {
public:
    explicit ScreenReader(const Form1& window) : window_(window) {
        const QLabel* sample = window.pot(Side::Human, 0);
        for (const QColor& fill : {kWhite, kMagenta}) {
            std::vector<QImage>& drawn = fill == kWhite ? onWhite_ : onMagenta_;
            for (int count = 0; count <= kTotalBeans; ++count) {
                QImage image(sample->size(), QImage::Format_RGB32);
                image.fill(fill);
                QPainter painter(&image);
                painter.setFont(sample->font());
                painter.setPen(Qt::black);
                painter.drawText(image.rect(), Qt::AlignCenter, QString::number(count));
                drawn.push_back(image);
            }
        }
    }

    // The pots as the screen shows them; the title is left to title().
    Painted read() const {
        const QWidget* client = window_.centralWidget();
        const QPoint origin = client->mapToGlobal(QPoint(0, 0));
        const QImage screen =
            window_.screen()
                ->grabWindow(0, origin.x(), origin.y(), client->width(), client->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        Painted p;
        for (const Side side : {Side::Human, Side::Cpu}) {
            for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
                const QImage shown = screen.copy(window_.pot(side, slot)->geometry());
                const QColor fill = shown.pixelColor(1, 1);
                if (fill == kMagenta) {
                    if (p.lit != kNoSlot) {
                        p.faults += QStringLiteral("a second pot lit; ");
                    }
                    p.litSide = side;
                    p.lit = slot;
                } else if (fill != kWhite) {
                    p.faults += potName(side, slot) + QStringLiteral(" is ") + fill.name() + "; ";
                    p.board.at(side, slot) = kNoSlot;
                    continue;
                }
                // Read anew only where the pixels changed.
                Known& known = known_.at((side == Side::Human ? 0U : std::size_t{kSlotsPerSide}) +
                                         static_cast<std::size_t>(slot));
                if (shown != known.shown) {
                    known = {shown, nearestCount(shown, fill == kMagenta)};
                }
                const auto [count, distance] = known.reading;
                // A count drawn as the pot draws it differs from its drawing by a few edge
                // pixels at most; another colour, font or place differs by far more.
                if (distance > 0.01) {
                    p.faults += potName(side, slot) + QStringLiteral(" shows no count; ");
                }
                p.board.at(side, slot) = count;
            }
        }
        return p;
    }

    // The title as the window manager was told it.
    QString title() const {
        return windowProperty(window_, QStringLiteral("_NET_WM_NAME"))
            .trimmed()
            .remove(QLatin1Char('"'));
    }

private:
    // The count whose drawing is nearest to the pot's pixels, and how far (0 the same, 1 all
    // opposite).
    std::pair<Count, double> nearestCount(const QImage& shown, bool lit) const {
        const std::vector<QImage>& drawn = lit ? onMagenta_ : onWhite_;
        std::pair<Count, double> nearest{kNoSlot, std::numeric_limits<double>::max()};
        for (int count = 0; count <= kTotalBeans; ++count) {
            const QImage& expected = drawn.at(static_cast<std::size_t>(count));
            double distance = 0;
            for (int y = 0; y < expected.height(); ++y) {
                for (int x = 0; x < expected.width(); ++x) {
                    const QRgb a = shown.pixel(x, y);
                    const QRgb b = expected.pixel(x, y);
                    distance += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                                std::abs(qBlue(a) - qBlue(b));
                }
            }
            distance /= 3.0 * 255.0 * expected.width() * expected.height();
            if (distance < nearest.second) {
                nearest = {static_cast<Count>(count), distance};
            }
        }
        return nearest;
    }

    const Form1& window_;
    struct Known {
        QImage shown;
        std::pair<Count, double> reading;
    };
    mutable std::array<Known, std::size_t{2} * kSlotsPerSide> known_;
    std::vector<QImage> onWhite_;
    std::vector<QImage> onMagenta_;
};

// Follows the painted states against the rules: each new state must be the next step of the
// move in progress, the first light of the next move, or the board at rest.
class PaintedChecker {
public:
    explicit PaintedChecker(const Board& position) : expected_(position) {}

    void clicked(Count slot) { clicked_ = slot; }

    void see(qint64 at, const Painted& now) {
        SCOPED_TRACE("painted at " + std::to_string(at) + " ms: " + describe(now));
        EXPECT_TRUE(now.faults.isEmpty());
        if (clicked_ && now.lit == *clicked_ && now.litSide == Side::Human &&
            now.board == expected_) {
            return; // the mouse's light over the pot it is about to click
        }
        if (!dropPending()) {
            finishMove(at);
            if (!ended_ && isGameOver(expected_)) {
                for (const Write& w : sweepWrites(expected_)) {
                    apply(expected_, w);
                }
                result_ = texts::resultText(expected_.at(Side::Cpu, kBigPot),
                                            expected_.at(Side::Human, kBigPot));
                ended_ = true;
            }
        }
        if (ended_) {
            // The rest swept into the big pots, the result said, the board set up anew.
            if (now.board == Board::opening() && now.lit == kNoSlot) {
                EXPECT_EQ(now.title, qs(texts::kAppTitle));
                expected_ = Board::opening();
            } else {
                EXPECT_EQ(now.board, expected_) << "expected " << describe(expected_);
            }
            return;
        }
        if (now.lit == kNoSlot) {
            // At rest: the move done, its capture written.
            mover_.reset();
            EXPECT_EQ(now.board, expected_) << "expected " << describe(expected_);
            EXPECT_EQ(now.title, qs(texts::kAppTitle));
            return;
        }
        if (!dropPending()) {
            if (clicked_) {
                begin(Side::Human, *clicked_);
                clicked_.reset();
            } else {
                // The computer's move begins: its chosen pot lit, still holding its beans.
                EXPECT_EQ(now.litSide, Side::Cpu);
                EXPECT_EQ(now.board, expected_) << "expected " << describe(expected_);
                begin(Side::Cpu, now.lit);
                stepStarts(at);
                expectTitle(now);
                return;
            }
        }
        // The writes before the next drop are on the board, and the drop's pot is lit.
        while (!pending_.empty() && pending_.front().kind != MoveStep::Kind::Drop) {
            apply(expected_, pending_.front().write);
            pending_.pop_front();
        }
        const Write drop = pending_.front().write;
        EXPECT_EQ(now.board, expected_) << "expected " << describe(expected_);
        EXPECT_TRUE(now.litSide == drop.side && now.lit == drop.slot)
            << "expected " << potName(drop.side, drop.slot).toStdString() << " lit";
        expectTitle(now);
        stepStarts(at);
        apply(expected_, drop);
        pending_.pop_front();
    }

    // The middle step's length of each move, in milliseconds.
    const std::vector<qint64>& medians() const { return medians_; }
    const std::string& result() const { return result_; }

private:
    void begin(Side mover, Count slot) {
        const Move move = describeMove(expected_, mover, slot);
        pending_.assign(move.steps().begin(), move.steps().end());
        mover_ = mover;
    }
    bool dropPending() const {
        return std::any_of(pending_.begin(), pending_.end(),
                           [](const MoveStep& s) { return s.kind == MoveStep::Kind::Drop; });
    }
    void expectTitle(const Painted& now) const {
        EXPECT_EQ(now.title, mover_ == Side::Cpu ? qs(texts::kMoving) : qs(texts::kAppTitle));
    }
    void stepStarts(qint64 at) {
        if (litSince_ >= 0) {
            steps_.push_back(at - litSince_);
        }
        litSince_ = at;
    }
    void finishMove(qint64 at) {
        for (const MoveStep& s : pending_) {
            apply(expected_, s.write);
        }
        pending_.clear();
        stepStarts(at); // the last step lasts until the state after it
        litSince_ = -1;
        if (steps_.empty()) {
            return;
        }
        std::string lengths;
        for (const qint64 step : steps_) {
            lengths += std::to_string(step) + " ";
        }
        std::printf("steps of a move of %s: %sms\n", mover_ == Side::Cpu ? "the computer" : "yours",
                    lengths.c_str());
        std::sort(steps_.begin(), steps_.end());
        medians_.push_back(steps_.at(steps_.size() / 2));
        steps_.clear();
    }

    Board expected_;
    std::deque<MoveStep> pending_;
    std::optional<Side> mover_;
    std::optional<Count> clicked_;
    qint64 litSince_ = -1;
    std::vector<qint64> steps_;
    std::vector<qint64> medians_;
    std::string result_;
    bool ended_ = false;
};

using PaintedGame = WindowTest;

TEST_F(PaintedGame, TheEndOfAGameAtItsOwnPaceShowsEveryStepAsTheRulesGiveIt) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "the game is watched on an X server's screen";
    }
    if (window->devicePixelRatio() != 1.0) {
        GTEST_SKIP() << "the counts are read at scale 1";
    }
    ASSERT_TRUE(makeActive(window.get()));
    const ScreenReader screen(*window);
    startGame(kDifficultyItems.at(0));
    // A few moves from the end: a score of beans on the pots, the rest in the big pots.
    Board position{};
    position.human = {3, 0, 2, 1, 0, 4, 14};
    position.cpu = {2, 1, 0, 3, 0, 2, 16};
    ASSERT_EQ(position.total(), kTotalBeans);
    window->game().loadPosition(position);
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen.read().board == position; }, 5000));

    PaintedChecker checker(position);
    QElapsedTimer clock;
    clock.start();
    Painted last = screen.read();
    last.title = screen.title();
    checker.see(0, last);
    // The machine's own pace beside the game's: a one-shot of one step, started again at each
    // of its ticks as the game's step timer is. A busy machine makes both late alike.
    std::vector<qint64> reference;
    QElapsedTimer referenceClock;
    QTimer referenceStep;
    referenceStep.setTimerType(Qt::PreciseTimer);
    referenceStep.setSingleShot(true);
    referenceStep.setInterval(kStepMs);
    QObject::connect(&referenceStep, &QTimer::timeout, [&] {
        reference.push_back(referenceClock.restart());
        referenceStep.start();
    });
    referenceClock.start();
    referenceStep.start();
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != nullptr) {
            return; // the result box stands over the board
        }
        Painted now = screen.read();
        now.title = last.title;
        if (now != last) {
            // The title reaches the window manager at once, the pixels with the next paint:
            // read when they change, it is the title they go with.
            now.title = screen.title();
            checker.see(clock.elapsed(), now);
            last = now;
        }
    });
    poll.start();

    for (int moves = 0; window->game().gameOn() && moves < 30 && !HasFailure(); ++moves) {
        // The player plays the first pot that the screen shows with beans.
        Count slot = 0;
        while (slot < kPotsPerSide && last.board.at(Side::Human, slot) == 0) {
            ++slot;
        }
        ASSERT_LT(slot, kPotsPerSide) << describe(last);
        checker.clicked(slot);
        QTest::mouseClick(window->pot(Side::Human, slot), Qt::LeftButton);
        // Until the board at rest is painted.
        (void)QTest::qWaitFor(
            [&] { return last.lit == kNoSlot && last.board == window->game().board(); }, 2000);
    }
    QTest::qWait(100);
    poll.stop();
    referenceStep.stop();
    EXPECT_FALSE(window->game().gameOn()) << "the game did not end";
    ASSERT_FALSE(catcher.boxes.empty());
    EXPECT_EQ(catcher.boxes.back().text.toStdString(), checker.result());
    // Each move's middle step is judged against the reference's middle step: within 150 ms
    // over it (650 ms on an idle machine), and never shorter than 450 ms.
    ASSERT_FALSE(checker.medians().empty());
    ASSERT_GE(reference.size(), 3U);
    std::sort(reference.begin(), reference.end());
    const qint64 paced = std::max<qint64>(reference.at(reference.size() / 2), kStepMs);
    std::printf("the reference's middle step: %lld ms\n", static_cast<long long>(paced));
    for (const qint64 median : checker.medians()) {
        EXPECT_GE(median, 450) << "a move's middle step, in ms";
        EXPECT_LE(median, paced + 150)
            << "a move's middle step, in ms, beside the reference's " << paced << " ms";
    }
}

} // namespace
} // namespace pentora::testing
