// The computer player. It draws a random pot of its own that holds beans, scores `Level`
// consecutive pots from there by playing each on a scratch copy of the board, and plays the best.
// It never looks beyond its own move.
#pragma once

#include "board.h"
#include "random_source.h"

namespace pentora {

inline constexpr Count kMinLevel = 1;
inline constexpr Count kMaxLevel = 6;
inline constexpr Count kExtraMoveBonus = 10;

// One draw: u in [0, 1) times 10 in single precision, rounded half to even, modulo 10.
// Values 0..5 name a pot; 6..9 call for another draw.
Count potFromUniform(float u);

// Draws until it meets a computer pot that holds beans. Returns kNoSlot, without drawing, when
// all six computer pots are empty (the draw would never end).
Count drawStartPot(const Board& board, RandomSource& random);

// A candidate's score: the computer's big pot after the candidate has been played on a scratch
// copy of the board, plus the bonus when its last bean ends in that big pot.
Count scoreCandidate(const Board& board, Count candidate);

struct Choice {
    Count BestPot;
    Count BestScore;
};

// The pot the computer plays, given the board, the level and the drawn start pot. Candidates are
// StartPot and the pots after it (pot 0 follows pot 5), `level` of them; the first of equal
// scores wins. While no candidate scores above zero, pot 0 is played, or StartPot when pot 0 is
// empty. A level outside 1..6 examines nothing.
Choice chooseComputerPot(const Board& board, Count level, Count StartPot);

} // namespace pentora
