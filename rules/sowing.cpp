#include "sowing.h"

namespace pentora {

Drop dropAt(Side mover, Count position) {
    const Count own = OwnSlot(position);
    if (own != kNoSlot) {
        return {mover, own};
    }
    return {opponent(mover), OtherSlot(position)};
}

MovePlan planMove(const Board& board, Side mover, Count pot) {
    const Count beans = board.at(mover, pot);
    return {pot, beans, static_cast<Count>(pot + 1), static_cast<Count>(pot + beans)};
}

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

std::array<Write, 4> captureWrites(const Board& board, Side mover, Count slot) {
    const Side other = opponent(mover);
    const Count facing = facingPot(slot);
    const auto bigAfterLanding = static_cast<Count>(board.at(mover, kBigPot) + 1);
    return {{
        {mover, kBigPot, bigAfterLanding},
        {mover, slot, 0},
        {mover, kBigPot, static_cast<Count>(bigAfterLanding + board.at(other, facing))},
        {other, facing, 0},
    }};
}

MoveResult playMove(Board& board, Side mover, Count pot) {
    const MovePlan plan = planMove(board, mover, pot);
    board.at(mover, pot) = 0;
    for (Count q = plan.first; q <= plan.last; ++q) {
        const Drop drop = dropAt(mover, q);
        if (drop.slot != kNoSlot) {
            ++board.at(drop.side, drop.slot);
        }
    }
    const Landing landing = landingOf(board, mover, plan.last);
    if (landing.kind == LandingKind::Capture) {
        for (const Write& w : captureWrites(board, mover, landing.slot)) {
            apply(board, w);
        }
    }
    return {landing};
}

} // namespace pentora
