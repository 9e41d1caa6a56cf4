// Sowing: a move lifts every bean of one pot and drops them one per ring position, then the
// last bean decides whether the mover moves again or captures.
//
// A move is described once, as the ordered list of the counter writes it makes: the pot
// emptied, each drop, and a capture's four writes. playMove applies the list at once (the
// computer's look-ahead); the game shows it, lighting each receiving pot before its drop.
#pragma once

#include "board.h"

#include <array>
#include <cstddef>
#include <span>

namespace pentora {

enum class LandingKind : std::uint8_t {
    OtherSide, // the last bean fell on the opponent's side, big pot included
    ExtraMove, // into the mover's own big pot
    Capture,   // into a pot of the mover's that was empty
    Plain,     // into a pot of the mover's that already held beans
};

struct Landing {
    LandingKind kind;
    Count slot; // OwnSlot(last), kNoSlot on the other side

    bool extraMove() const { return kind == LandingKind::ExtraMove; }
};

struct MoveStep {
    enum class Kind : std::uint8_t {
        Lift,    // the chosen pot emptied, before any bean is dropped
        Drop,    // one bean into the next slot of the ring
        Capture, // one of the capture's four writes, in order
    };
    Kind kind;
    Write write; // the counter and the value it takes

    friend bool operator==(const MoveStep&, const MoveStep&) = default;
};

// A move's writes in order, held in place: the computer scores six moves for each of its own, so
// a move allocates nothing.
// Its steps are left unset beyond count_, on purpose: zeroing them for each of the computer's
// trial moves would be wasted work.
class Move { // NOLINT(cppcoreguidelines-pro-type-member-init)
public:
    std::span<const MoveStep> steps() const { return {steps_.data(), count_}; }
    Landing landing{LandingKind::Plain, kNoSlot};
    // The beans a capture puts in the mover's big pot: the landing bean and the facing pot's.
    Count captured = 0;

private:
    friend Move describeMove(const Board& board, Side mover, Count pot);
    void add(const MoveStep& step) { steps_.at(count_++) = step; }

    // The lift, one drop for each ring position of the four laps, the capture's four writes.
    static constexpr std::size_t kMaxSteps = 1 + 4 * 2 * kSlotsPerSide + 4;
    std::array<MoveStep, kMaxSteps> steps_; // only the first count_ are written and read
    std::size_t count_ = 0;
};

// The move from the mover's `pot` on `board`. An empty pot gives a lone Lift and a Plain landing
// on that pot. Ring positions beyond the four laps (only a board of more than 48 beans reaches
// them) drop nothing.
Move describeMove(const Board& board, Side mover, Count pot);

// Plays a whole move from the mover's pot at once (no pacing).
Landing playMove(Board& board, Side mover, Count pot);

} // namespace pentora
