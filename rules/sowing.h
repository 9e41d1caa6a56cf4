// Sowing: a move lifts every bean of one pot and drops them one per ring position, then the
// last bean decides whether the mover moves again or captures.
//
// The window shows a move one drop at a time, so the pieces are offered separately (the plan,
// each drop, the landing, the capture's writes); playMove strings them together for the
// computer's look-ahead and for tests.
#pragma once

#include "board.h"

#include <array>

namespace pentora {

// Where the bean of one ring position of a move falls.
struct Drop {
    Side side;
    Count slot; // kNoSlot for a position beyond the four laps of the ring

    friend bool operator==(const Drop&, const Drop&) = default;
};

Drop dropAt(Side mover, Count position);

// The beans lifted from a pot and the ring positions they fall on: first..last, empty when the
// pot holds nothing (then last == pot).
struct MovePlan {
    Count pot;
    Count beans;
    Count first;
    Count last;
};

MovePlan planMove(const Board& board, Side mover, Count pot);

enum class LandingKind : std::uint8_t {
    OtherSide, // the last bean fell on the opponent's side, big pot included
    ExtraMove, // into the mover's own big pot
    Capture,   // into a pot of the mover's that was empty
    Plain,     // into a pot of the mover's that already held beans
};

struct Landing {
    LandingKind kind;
    Count slot; // OwnSlot(last), kNoSlot on the other side
};

// Reads the board after every bean of the move has been dropped.
Landing landingOf(const Board& board, Side mover, Count last);

// A capture in the mover's pot `slot`, as its four writes in order: the landing bean to the big
// pot, the landing pot emptied, the facing pot's beans to the big pot, the facing pot emptied.
std::array<Write, 4> captureWrites(const Board& board, Side mover, Count slot);

struct MoveResult {
    Landing landing;
    bool extraMove() const { return landing.kind == LandingKind::ExtraMove; }
};

// Plays a whole move from the mover's pot at once (no pacing).
MoveResult playMove(Board& board, Side mover, Count pot);

} // namespace pentora
