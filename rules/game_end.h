// The end of a game: when either side's six pots are empty, every bean still in a pot goes to
// the big pot of the side that holds it, and the fuller big pot wins.
#pragma once

#include "board.h"

#include <array>
#include <cstdint>

namespace pentora {

// True when the six pots of either side (big pots not counted) are all empty.
bool isGameOver(const Board& board);

// The sweep as its writes in order: for pot i = 0..5, the computer's big pot, the human's big
// pot, then the computer's pot i and the human's pot i emptied.
inline constexpr std::size_t kSweepWrites = 4 * std::size_t{kPotsPerSide};
std::array<Write, kSweepWrites> sweepWrites(const Board& board);

enum class Outcome : std::uint8_t { CpuWins, HumanWins, Draw };

Outcome outcomeOf(Count cpuScore, Count humanScore);

} // namespace pentora
