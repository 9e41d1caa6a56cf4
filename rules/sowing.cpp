#include "sowing.h"

namespace pentora {

namespace {

// The landing of the last bean, read after every bean has been dropped.
Landing landingOf(const Board& board, Side mover, Count last) {
    const Count slot = OwnSlot(last);
    if (slot == kNoSlot) {
        return {LandingKind::OtherSide, slot};
    }
    if (slot == kBigPot) {
        return {LandingKind::ExtraMove, slot};
    }
    if (board.at(mover, slot) == 1) {
        return {LandingKind::Capture, slot};
    }
    return {LandingKind::Plain, slot};
}

} // namespace

Move describeMove(const Board& board, Side mover, Count pot) {
    Board after = board;
    Move move;
    const Count beans = board.at(mover, pot);
    const auto last = static_cast<Count>(pot + beans);
    auto record = [&](MoveStep::Kind kind, Side side, Count slot, Count value) {
        after.at(side, slot) = value;
        move.add({kind, {side, slot, value}});
    };

    record(MoveStep::Kind::Lift, mover, pot, 0);
    for (auto q = static_cast<Count>(pot + 1); q <= last; ++q) {
        const Count own = OwnSlot(q);
        const Side side = own != kNoSlot ? mover : opponent(mover);
        const Count slot = own != kNoSlot ? own : OtherSlot(q);
        if (slot != kNoSlot) {
            record(MoveStep::Kind::Drop, side, slot, static_cast<Count>(after.at(side, slot) + 1));
        }
    }

    move.landing = landingOf(after, mover, last);
    if (move.landing.kind == LandingKind::Capture) {
        // The landing bean to the big pot, the landing pot emptied, the facing pot's beans to the
        // big pot, the facing pot emptied.
        const Side other = opponent(mover);
        const Count facing = facingPot(move.landing.slot);
        const auto big = static_cast<Count>(after.at(mover, kBigPot) + 1);
        const Count taken = after.at(other, facing);
        record(MoveStep::Kind::Capture, mover, kBigPot, big);
        record(MoveStep::Kind::Capture, mover, move.landing.slot, 0);
        record(MoveStep::Kind::Capture, mover, kBigPot, static_cast<Count>(big + taken));
        record(MoveStep::Kind::Capture, other, facing, 0);
        move.captured = static_cast<Count>(taken + 1);
    }
    return move;
}

Landing playMove(Board& board, Side mover, Count pot) {
    const Move move = describeMove(board, mover, pot);
    for (const MoveStep& step : move.steps()) {
        apply(board, step.write);
    }
    return move.landing;
}

} // namespace pentora
