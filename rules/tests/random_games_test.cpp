// Many seeded random games, played drop by drop the way the window plays them, with the
// invariants checked after every drop: no bean is lost or invented, and no counter leaves 0..48.
#include "computer_player.h"
#include "game_end.h"
#include "sowing.h"

#include <gtest/gtest.h>
#include <random>

namespace pentora {
namespace {

constexpr int kGames = 100000;
constexpr int kMoveLimit = 2000;

class RandomGames : public ::testing::Test {
protected:
    void expectSound(const Board& board, int inHand) {
        ASSERT_EQ(board.total() + inHand, kTotalBeans);
        for (const Side side : {Side::Human, Side::Cpu}) {
            for (const Count c : board.row(side)) {
                ASSERT_GE(c, 0);
                ASSERT_LE(c, kTotalBeans);
            }
        }
    }

    // Plays a move with the separate pieces (plan, drops, landing, capture writes), checking the
    // board after each drop, and checks that playMove reaches the same board.
    bool playStepByStep(Board& board, Side mover, Count pot) {
        Board whole = board;
        const MoveResult expected = playMove(whole, mover, pot);

        const MovePlan plan = planMove(board, mover, pot);
        board.at(mover, pot) = 0;
        int inHand = plan.beans;
        for (Count q = plan.first; q <= plan.last; ++q) {
            const Drop drop = dropAt(mover, q);
            EXPECT_NE(drop.slot, kNoSlot);
            ++board.at(drop.side, drop.slot);
            --inHand;
            expectSound(board, inHand);
        }
        const Landing landing = landingOf(board, mover, plan.last);
        if (landing.kind == LandingKind::Capture) {
            // A capture passes through two writes where a bean is counted twice (the big pot is
            // written before the pot it empties); the board is whole again after the four.
            for (const Write& w : captureWrites(board, mover, landing.slot)) {
                apply(board, w);
            }
        }
        expectSound(board, 0);
        EXPECT_EQ(board, whole);
        EXPECT_EQ(landing.kind, expected.landing.kind);
        return landing.kind == LandingKind::ExtraMove;
    }

    std::mt19937 rng{20261207};
    ClockSeededRandom draws{4242};
};

TEST_F(RandomGames, KeepEveryBeanAndAlwaysEnd) {
    std::uniform_int_distribution<int> level(kMinLevel, kMaxLevel);
    std::bernoulli_distribution computerChooses(0.5);
    for (int game = 0; game < kGames; ++game) {
        Board board = Board::opening();
        Side mover = Side::Human;
        int moves = 0;
        while (!isGameOver(board)) {
            ASSERT_LT(++moves, kMoveLimit) << "game " << game << " does not end";
            Count pot = kNoSlot;
            if (mover == Side::Cpu && computerChooses(rng)) {
                const Count start = drawStartPot(board, draws);
                ASSERT_GT(board.at(Side::Cpu, start), 0);
                pot = chooseComputerPot(board, static_cast<Count>(level(rng)), start).BestPot;
                ASSERT_GT(board.at(Side::Cpu, pot), 0) << "the computer chose an empty pot";
            } else {
                do {
                    pot = static_cast<Count>(std::uniform_int_distribution<int>(0, 5)(rng));
                } while (board.at(mover, pot) == 0);
            }
            if (!playStepByStep(board, mover, pot)) {
                mover = opponent(mover);
            }
            if (HasFatalFailure()) {
                return;
            }
        }
        for (const Write& w : sweepWrites(board)) {
            apply(board, w);
        }
        ASSERT_EQ(board.potsTotal(Side::Human) + board.potsTotal(Side::Cpu), 0);
        ASSERT_EQ(board.at(Side::Human, kBigPot) + board.at(Side::Cpu, kBigPot), kTotalBeans);
    }
}

} // namespace
} // namespace pentora
