#include "game_end.h"

namespace pentora {

bool isGameOver(const Board& board) {
    return board.potsTotal(Side::Cpu) == 0 || board.potsTotal(Side::Human) == 0;
}

std::array<Write, kSweepWrites> sweepWrites(const Board& board) {
    std::array<Write, kSweepWrites> writes{};
    auto cpuBig = board.at(Side::Cpu, kBigPot);
    auto humanBig = board.at(Side::Human, kBigPot);
    std::size_t k = 0;
    for (Count i = 0; i < kPotsPerSide; ++i) {
        cpuBig = static_cast<Count>(cpuBig + board.at(Side::Cpu, i));
        humanBig = static_cast<Count>(humanBig + board.at(Side::Human, i));
        writes.at(k++) = {Side::Cpu, kBigPot, cpuBig};
        writes.at(k++) = {Side::Human, kBigPot, humanBig};
        writes.at(k++) = {Side::Cpu, i, 0};
        writes.at(k++) = {Side::Human, i, 0};
    }
    return writes;
}

Outcome outcomeOf(Count cpuScore, Count humanScore) {
    if (cpuScore > humanScore) {
        return Outcome::CpuWins;
    }
    if (humanScore > cpuScore) {
        return Outcome::HumanWins;
    }
    return Outcome::Draw;
}

} // namespace pentora
