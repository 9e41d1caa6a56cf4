#include "board.h"

#include <gtest/gtest.h>

namespace pentora {
namespace {

TEST(Ring, OwnSlotCoversTheMoversSlotsOnEveryLap) {
    const std::pair<Count, Count> cases[] = {
        {0, 0},  {5, 5},  {6, 6},  {7, -1},  {13, -1}, {14, 0},  {20, 6},  {28, 0},
        {42, 0}, {47, 5}, {48, 6}, {49, -1}, {55, -1}, {56, -1}, {-1, -1}, {-14, -1},
    };
    for (const auto& [position, slot] : cases) {
        EXPECT_EQ(OwnSlot(position), slot) << "position " << position;
    }
}

TEST(Ring, OtherSlotCoversTheOpponentsSlotsOnEveryLap) {
    const std::pair<Count, Count> cases[] = {
        {0, -1}, {6, -1}, {7, 0},  {12, 5},  {13, 6},  {14, -1}, {21, 0},
        {27, 6}, {49, 0}, {55, 6}, {56, -1}, {-1, -1}, {-7, -1},
    };
    for (const auto& [position, slot] : cases) {
        EXPECT_EQ(OtherSlot(position), slot) << "position " << position;
    }
}

TEST(Ring, EveryPositionOfFourLapsMapsToExactlyOneSlot) {
    for (Count q = 0; q <= 55; ++q) {
        EXPECT_NE(OwnSlot(q) == kNoSlot, OtherSlot(q) == kNoSlot) << "position " << q;
    }
}

TEST(Board, OpeningPositionHoldsFourBeansInEveryPot) {
    const Board board = Board::opening();
    EXPECT_EQ(board.human, (Row{4, 4, 4, 4, 4, 4, 0}));
    EXPECT_EQ(board.cpu, (Row{4, 4, 4, 4, 4, 4, 0}));
    EXPECT_EQ(board.total(), kTotalBeans);
}

TEST(Board, OpeningWritesGoPotByPotThenTheBigPots) {
    const auto writes = openingWrites();
    EXPECT_EQ(writes.front(), (Write{Side::Human, 0, 4}));
    EXPECT_EQ(writes[1], (Write{Side::Cpu, 0, 4}));
    EXPECT_EQ(writes[10], (Write{Side::Human, 5, 4}));
    EXPECT_EQ(writes[11], (Write{Side::Cpu, 5, 4}));
    EXPECT_EQ(writes[12], (Write{Side::Human, kBigPot, 0}));
    EXPECT_EQ(writes[13], (Write{Side::Cpu, kBigPot, 0}));
}

TEST(Board, PotsFaceEachOtherAcrossTheBoard) {
    EXPECT_EQ(facingPot(0), 5);
    EXPECT_EQ(facingPot(2), 3);
    EXPECT_EQ(facingPot(5), 0);
}

} // namespace
} // namespace pentora
