// Many seeded random games, played drop by drop the way the window plays them, with the
// invariants checked after every drop: no bean is lost or invented, and no counter leaves 0..48.
#include "computer_player.h"
#include "game_end.h"
#include "sowing.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace pentora {
namespace {

constexpr int kMoveLimit = 2000;

// How many games: PENTORA_RANDOM_GAMES (CTest sets it from the build's cache), else 100,000.
int gamesToPlay() {
    const char* games = std::getenv("PENTORA_RANDOM_GAMES");
    return games != nullptr && std::atoi(games) > 0 ? std::atoi(games) : 100000;
}

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

    // Applies a move's writes one at a time, checking the board after each drop, and checks that
    // playMove reaches the same board.
    bool playStepByStep(Board& board, Side mover, Count pot) {
        Board whole = board;
        const Landing expected = playMove(whole, mover, pot);

        const Move move = describeMove(board, mover, pot);
        int inHand = board.at(mover, pot);
        for (const MoveStep& step : move.steps()) {
            apply(board, step.write);
            if (step.kind == MoveStep::Kind::Drop) {
                --inHand;
                expectSound(board, inHand);
            }
        }
        // A capture passes through two writes where a bean is counted twice (the big pot is
        // written before the pot it empties); the board is whole again after the four.
        expectSound(board, 0);
        EXPECT_EQ(board, whole);
        EXPECT_EQ(move.landing.kind, expected.kind);
        return move.landing.extraMove();
    }

    std::mt19937 rng{20261207};
    ClockSeededRandom draws{4242};
};

TEST_F(RandomGames, KeepEveryBeanAndAlwaysEnd) {
    std::uniform_int_distribution<int> level(kMinLevel, kMaxLevel);
    std::bernoulli_distribution computerChooses(0.5);
    const int games = gamesToPlay();
    for (int game = 0; game < games; ++game) {
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
