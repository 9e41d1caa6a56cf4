#include "board_rows.h"
#include "sowing.h"

#include <gtest/gtest.h>

namespace pentora {
namespace {

using testing::rows;

TEST(Sowing, OneBeanFromPotFiveEndsInTheBigPotAndEarnsAnotherMove) {
    Board board = rows({4, 4, 4, 4, 4, 1, 0}, {4, 4, 4, 4, 4, 4, 0});
    const MoveResult result = playMove(board, Side::Human, 5);
    EXPECT_TRUE(result.extraMove());
    EXPECT_EQ(board, rows({4, 4, 4, 4, 4, 0, 1}, {4, 4, 4, 4, 4, 4, 0}));
}

TEST(Sowing, TheOpponentsBigPotIsNotSkipped) {
    // Eight beans from pot 5: the own big pot, all six opposing pots and the opponent's big pot.
    Board board = rows({0, 0, 0, 0, 0, 8, 0}, {1, 1, 1, 1, 1, 1, 0});
    const MoveResult result = playMove(board, Side::Human, 5);
    EXPECT_EQ(result.landing.kind, LandingKind::OtherSide);
    EXPECT_EQ(board, rows({0, 0, 0, 0, 0, 0, 1}, {2, 2, 2, 2, 2, 2, 1}));
}

TEST(Sowing, ThirteenBeansFromPotZeroEndInTheOpponentsBigPot) {
    Board board = rows({13, 0, 0, 0, 0, 0, 0}, {3, 3, 3, 3, 3, 3, 17});
    const MoveResult result = playMove(board, Side::Human, 0);
    EXPECT_EQ(result.landing.kind, LandingKind::OtherSide);
    EXPECT_FALSE(result.extraMove());
    EXPECT_EQ(board, rows({0, 1, 1, 1, 1, 1, 1}, {4, 4, 4, 4, 4, 4, 18}));
}

TEST(Sowing, FourteenBeansGoRoundAndCaptureInTheEmptiedPot) {
    // One bean in every slot; the fourteenth falls back into pot 2, now holding exactly 1, and
    // takes itself and the facing computer pot 3 (2 + 1 beans) to the big pot.
    Board board = rows({1, 1, 14, 1, 1, 1, 2}, {2, 2, 2, 2, 2, 2, 15});
    const MoveResult result = playMove(board, Side::Human, 2);
    EXPECT_EQ(result.landing.kind, LandingKind::Capture);
    EXPECT_EQ(result.landing.slot, 2);
    EXPECT_EQ(board, rows({2, 2, 0, 2, 2, 2, 7}, {3, 3, 3, 0, 3, 3, 16}));
}

TEST(Sowing, CaptureFacingAnEmptyPotTakesOnlyTheLandingBean) {
    Board board = rows({0, 2, 0, 0, 5, 0, 3}, {1, 1, 0, 1, 1, 1, 0});
    const MoveResult result = playMove(board, Side::Human, 1); // lands in pot 3, facing cpu pot 2
    EXPECT_EQ(result.landing.kind, LandingKind::Capture);
    EXPECT_EQ(board, rows({0, 0, 1, 0, 5, 0, 4}, {1, 1, 0, 1, 1, 1, 0}));
}

TEST(Sowing, LandingInAPotThatHeldBeansCapturesNothing) {
    Board board = rows({0, 2, 0, 3, 5, 0, 3}, {1, 1, 6, 1, 1, 1, 0});
    const MoveResult result = playMove(board, Side::Human, 1);
    EXPECT_EQ(result.landing.kind, LandingKind::Plain);
    EXPECT_EQ(board, rows({0, 0, 1, 4, 5, 0, 3}, {1, 1, 6, 1, 1, 1, 0}));
}

TEST(Sowing, TheComputerSowsAlongItsOwnRowFirst) {
    Board board = rows({4, 4, 4, 4, 4, 4, 0}, {4, 4, 4, 4, 4, 4, 0});
    const MoveResult result = playMove(board, Side::Cpu, 4); // cpu 5, cpu big, human 0, human 1
    EXPECT_EQ(result.landing.kind, LandingKind::OtherSide);
    EXPECT_EQ(board, rows({5, 5, 4, 4, 4, 4, 0}, {4, 4, 4, 4, 0, 5, 1}));
}

TEST(Sowing, DropsFollowTheRingFromTheMoversPotZero) {
    EXPECT_EQ(dropAt(Side::Human, 6), (Drop{Side::Human, kBigPot}));
    EXPECT_EQ(dropAt(Side::Human, 7), (Drop{Side::Cpu, 0}));
    EXPECT_EQ(dropAt(Side::Cpu, 13), (Drop{Side::Human, kBigPot}));
    EXPECT_EQ(dropAt(Side::Cpu, 14), (Drop{Side::Cpu, 0}));
    EXPECT_EQ(dropAt(Side::Cpu, 56).slot, kNoSlot);
}

TEST(Sowing, CaptureWritesComeInTheirFixedOrder) {
    const Board board = rows({0, 0, 1, 0, 0, 0, 7}, {0, 0, 5, 9, 0, 0, 0});
    const auto writes = captureWrites(board, Side::Human, 2);
    EXPECT_EQ(writes[0], (Write{Side::Human, kBigPot, 8}));
    EXPECT_EQ(writes[1], (Write{Side::Human, 2, 0}));
    EXPECT_EQ(writes[2], (Write{Side::Human, kBigPot, 17}));
    EXPECT_EQ(writes[3], (Write{Side::Cpu, 3, 0}));
}

TEST(Sowing, AnEmptyPotSowsNothing) {
    Board board = rows({4, 4, 4, 4, 4, 4, 0}, {0, 4, 4, 4, 4, 4, 3});
    const Board before = board;
    const MoveResult result = playMove(board, Side::Cpu, 0);
    EXPECT_EQ(result.landing.kind, LandingKind::Plain);
    EXPECT_EQ(board, before);
}

} // namespace
} // namespace pentora
