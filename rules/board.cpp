#include "board.h"

#include <numeric>

namespace pentora {

namespace {

constexpr Count kRingLength = 2 * kSlotsPerSide;
constexpr Count kLaps = 4;

} // namespace

int Board::potsTotal(Side side) const {
    const Row& r = row(side);
    return std::accumulate(r.begin(), r.begin() + kPotsPerSide, 0);
}

int Board::total() const {
    return std::accumulate(human.begin(), human.end(), 0) +
           std::accumulate(cpu.begin(), cpu.end(), 0);
}

Board Board::opening() {
    Board board;
    for (const Write& w : openingWrites()) {
        apply(board, w);
    }
    return board;
}

Count OwnSlot(Count position) {
    if (position < 0 || position >= kLaps * kRingLength) {
        return kNoSlot;
    }
    const auto step = static_cast<Count>(position % kRingLength);
    return step < kSlotsPerSide ? step : kNoSlot;
}

Count OtherSlot(Count position) {
    if (position < 0 || position >= kLaps * kRingLength) {
        return kNoSlot;
    }
    const auto step = static_cast<Count>(position % kRingLength);
    return step >= kSlotsPerSide ? static_cast<Count>(step - kSlotsPerSide) : kNoSlot;
}

std::array<Write, kBoardSlots> openingWrites() {
    std::array<Write, kBoardSlots> writes{};
    std::size_t k = 0;
    for (Count i = 0; i < kPotsPerSide; ++i) {
        writes.at(k++) = {Side::Human, i, kOpeningBeans};
        writes.at(k++) = {Side::Cpu, i, kOpeningBeans};
    }
    writes.at(k++) = {Side::Human, kBigPot, 0};
    writes.at(k) = {Side::Cpu, kBigPot, 0};
    return writes;
}

} // namespace pentora
