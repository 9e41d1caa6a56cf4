#include "computer_player.h"

#include "sowing.h"

#include <cmath>

namespace pentora {

Count potFromUniform(float u) {
    const float x = u * 10.0F;
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    return static_cast<Count>(static_cast<Count>(std::nearbyint(x)) % 10);
}

Count drawStartPot(const Board& board, RandomSource& random) {
    if (board.potsTotal(Side::Cpu) == 0) {
        return kNoSlot;
    }
    for (;;) {
        const Count r = potFromUniform(random.next());
        if (r < kPotsPerSide && board.at(Side::Cpu, r) != 0) {
            return r;
        }
    }
}

Count scoreCandidate(const Board& board, Count candidate) {
    Board sim = board; // sim.cpu and sim.human are the scratch rows SimCpu and SimHuman
    const Count Bonus = playMove(sim, Side::Cpu, candidate).extraMove() ? kExtraMoveBonus : 0;
    return static_cast<Count>(sim.at(Side::Cpu, kBigPot) + Bonus);
}

Choice chooseComputerPot(const Board& board, Count level, Count StartPot) {
    Choice choice{board.at(Side::Cpu, 0) != 0 ? Count{0} : StartPot, 0};
    if (level < kMinLevel || level > kMaxLevel) {
        return choice;
    }
    for (Count k = 1; k <= level; ++k) {
        const auto candidate = static_cast<Count>((StartPot - 1 + k) % kPotsPerSide);
        const Count score = scoreCandidate(board, candidate);
        if (score > choice.BestScore) {
            choice = {candidate, score};
        }
    }
    return choice;
}

} // namespace pentora
