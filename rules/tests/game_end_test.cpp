#include "board_rows.h"
#include "game_end.h"

#include <gtest/gtest.h>

namespace pentora {
namespace {

using testing::rows;

Board swept(Board board) {
    for (const Write& w : sweepWrites(board)) {
        apply(board, w);
    }
    return board;
}

TEST(GameEnd, TheGameGoesOnWhileBothSidesHaveBeansInTheirPots) {
    EXPECT_FALSE(isGameOver(Board::opening()));
    EXPECT_FALSE(isGameOver(rows({0, 0, 0, 0, 0, 1, 20}, {0, 0, 0, 0, 0, 1, 26})));
}

TEST(GameEnd, AnEmptyRowOfPotsEndsTheGameWhateverItsBigPotHolds) {
    EXPECT_TRUE(isGameOver(rows({0, 0, 0, 0, 0, 0, 30}, {1, 2, 0, 0, 0, 0, 15})));
    EXPECT_TRUE(isGameOver(rows({3, 0, 0, 0, 0, 2, 0}, {0, 0, 0, 0, 0, 0, 43})));
    EXPECT_TRUE(isGameOver(rows({0, 0, 0, 0, 0, 0, 24}, {0, 0, 0, 0, 0, 0, 24})));
}

TEST(GameEnd, TheSweepGivesEachSideItsOwnBeans) {
    // The human's pots are empty; the computer's five beans go to the computer's big pot.
    EXPECT_EQ(swept(rows({0, 0, 0, 0, 0, 0, 20}, {2, 0, 0, 3, 0, 0, 23})),
              rows({0, 0, 0, 0, 0, 0, 20}, {0, 0, 0, 0, 0, 0, 28}));
    // Both rows empty: nothing moves.
    EXPECT_EQ(swept(rows({0, 0, 0, 0, 0, 0, 9}, {0, 0, 0, 0, 0, 0, 39})),
              rows({0, 0, 0, 0, 0, 0, 9}, {0, 0, 0, 0, 0, 0, 39}));
}

TEST(GameEnd, TheSweepWritesPotByPotComputerFirst) {
    const auto writes = sweepWrites(rows({1, 0, 0, 0, 0, 0, 10}, {2, 5, 0, 0, 0, 0, 30}));
    EXPECT_EQ(writes[0], (Write{Side::Cpu, kBigPot, 32}));
    EXPECT_EQ(writes[1], (Write{Side::Human, kBigPot, 11}));
    EXPECT_EQ(writes[2], (Write{Side::Cpu, 0, 0}));
    EXPECT_EQ(writes[3], (Write{Side::Human, 0, 0}));
    EXPECT_EQ(writes[4], (Write{Side::Cpu, kBigPot, 37}));
    EXPECT_EQ(writes[23], (Write{Side::Human, 5, 0}));
}

TEST(GameEnd, ScoresCompareAsNumbersNotAsText) {
    EXPECT_EQ(outcomeOf(9, 39), Outcome::HumanWins);
    EXPECT_EQ(outcomeOf(39, 9), Outcome::CpuWins);
    EXPECT_EQ(outcomeOf(24, 24), Outcome::Draw);
}

} // namespace
} // namespace pentora
