#include "board_rows.h"
#include "sowing.h"

#include <gtest/gtest.h>
#include <vector>

namespace pentora {
namespace {

using testing::rows;

TEST(Sowing, OneBeanFromPotFiveEndsInTheBigPotAndEarnsAnotherMove) {
    Board board = rows({4, 4, 4, 4, 4, 1, 0}, {4, 4, 4, 4, 4, 4, 0});
    const Landing result = playMove(board, Side::Human, 5);
    EXPECT_TRUE(result.extraMove());
    EXPECT_EQ(board, rows({4, 4, 4, 4, 4, 0, 1}, {4, 4, 4, 4, 4, 4, 0}));
}

TEST(Sowing, TheOpponentsBigPotIsNotSkipped) {
    // Eight beans from pot 5: the own big pot, all six opposing pots and the opponent's big pot.
    Board board = rows({0, 0, 0, 0, 0, 8, 0}, {1, 1, 1, 1, 1, 1, 0});
    const Landing result = playMove(board, Side::Human, 5);
    EXPECT_EQ(result.kind, LandingKind::OtherSide);
    EXPECT_EQ(board, rows({0, 0, 0, 0, 0, 0, 1}, {2, 2, 2, 2, 2, 2, 1}));
}

TEST(Sowing, ThirteenBeansFromPotZeroEndInTheOpponentsBigPot) {
    Board board = rows({13, 0, 0, 0, 0, 0, 0}, {3, 3, 3, 3, 3, 3, 17});
    const Landing result = playMove(board, Side::Human, 0);
    EXPECT_EQ(result.kind, LandingKind::OtherSide);
    EXPECT_FALSE(result.extraMove());
    EXPECT_EQ(board, rows({0, 1, 1, 1, 1, 1, 1}, {4, 4, 4, 4, 4, 4, 18}));
}

TEST(Sowing, FourteenBeansGoRoundAndCaptureInTheEmptiedPot) {
    // One bean in every slot; the fourteenth falls back into pot 2, now holding exactly 1, and
    // takes itself and the facing computer pot 3 (2 + 1 beans) to the big pot.
    Board board = rows({1, 1, 14, 1, 1, 1, 2}, {2, 2, 2, 2, 2, 2, 15});
    const Landing result = playMove(board, Side::Human, 2);
    EXPECT_EQ(result.kind, LandingKind::Capture);
    EXPECT_EQ(result.slot, 2);
    EXPECT_EQ(board, rows({2, 2, 0, 2, 2, 2, 7}, {3, 3, 3, 0, 3, 3, 16}));
}

TEST(Sowing, CaptureFacingAnEmptyPotTakesOnlyTheLandingBean) {
    Board board = rows({0, 2, 0, 0, 5, 0, 3}, {1, 1, 0, 1, 1, 1, 0});
    const Landing result = playMove(board, Side::Human, 1); // lands in pot 3, facing cpu pot 2
    EXPECT_EQ(result.kind, LandingKind::Capture);
    EXPECT_EQ(board, rows({0, 0, 1, 0, 5, 0, 4}, {1, 1, 0, 1, 1, 1, 0}));
}

TEST(Sowing, LandingInAPotThatHeldBeansCapturesNothing) {
    Board board = rows({0, 2, 0, 3, 5, 0, 3}, {1, 1, 6, 1, 1, 1, 0});
    const Landing result = playMove(board, Side::Human, 1);
    EXPECT_EQ(result.kind, LandingKind::Plain);
    EXPECT_EQ(board, rows({0, 0, 1, 4, 5, 0, 3}, {1, 1, 6, 1, 1, 1, 0}));
}

TEST(Sowing, TheComputerSowsAlongItsOwnRowFirst) {
    Board board = rows({4, 4, 4, 4, 4, 4, 0}, {4, 4, 4, 4, 4, 4, 0});
    const Landing result = playMove(board, Side::Cpu, 4); // cpu 5, cpu big, human 0, human 1
    EXPECT_EQ(result.kind, LandingKind::OtherSide);
    EXPECT_EQ(board, rows({5, 5, 4, 4, 4, 4, 0}, {4, 4, 4, 4, 0, 5, 1}));
}

TEST(Sowing, AMoveIsItsWritesInOrderLiftDropsThenTheCapture) {
    // The computer's pot 5 (9 beans): its big pot, the human's row and big pot, then its own
    // pot 0, empty and facing the human's pot 5.
    const Board board = rows({0, 0, 0, 0, 5, 3, 7}, {0, 0, 1, 1, 1, 9, 3});
    const Move move = describeMove(board, Side::Cpu, 5);
    using K = MoveStep::Kind;
    const std::vector<MoveStep> expected = {
        {K::Lift, {Side::Cpu, 5, 0}},          {K::Drop, {Side::Cpu, kBigPot, 4}},
        {K::Drop, {Side::Human, 0, 1}},        {K::Drop, {Side::Human, 1, 1}},
        {K::Drop, {Side::Human, 2, 1}},        {K::Drop, {Side::Human, 3, 1}},
        {K::Drop, {Side::Human, 4, 6}},        {K::Drop, {Side::Human, 5, 4}},
        {K::Drop, {Side::Human, kBigPot, 8}},  {K::Drop, {Side::Cpu, 0, 1}},
        {K::Capture, {Side::Cpu, kBigPot, 5}}, {K::Capture, {Side::Cpu, 0, 0}},
        {K::Capture, {Side::Cpu, kBigPot, 9}}, {K::Capture, {Side::Human, 5, 0}},
    };
    EXPECT_EQ(std::vector<MoveStep>(move.steps().begin(), move.steps().end()), expected);
    EXPECT_EQ(move.landing.kind, LandingKind::Capture);
    EXPECT_EQ(move.landing.slot, 0);
    EXPECT_EQ(move.captured, 5);
}

TEST(Sowing, AnEmptyPotSowsNothing) {
    Board board = rows({4, 4, 4, 4, 4, 4, 0}, {0, 4, 4, 4, 4, 4, 3});
    const Board before = board;
    const Landing result = playMove(board, Side::Cpu, 0);
    EXPECT_EQ(result.kind, LandingKind::Plain);
    EXPECT_EQ(board, before);
}

} // namespace
} // namespace pentora
