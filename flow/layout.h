// Where the window's controls stand, for every view of the game: drawn in twips at 96 dots per
// inch, 15 twips to the pixel, from the top-left corner of the client area. The board picture
// has its pots under the pot labels and flat images of the three middle controls under them.
#pragma once

#include "board.h"

namespace pentora::layout {

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int px(int twips) {
    return twips / 15;
}

constexpr Rect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

// The client area: 9735 x 6000 twips.
inline constexpr int kClientWidth = px(9735);
inline constexpr int kClientHeight = px(6000);

inline constexpr Rect kStartButton = twipsRect(3240, 2400, 1335, 735);
inline constexpr Rect kDifficultyBox = twipsRect(4920, 2760, 2295, 315);
inline constexpr Rect kExitButton = twipsRect(4080, 3360, 1935, 375);

inline constexpr int kPotWidth = 495;
inline constexpr int kPotHeight = 375;
inline constexpr int kPotStep = 1560;
inline constexpr int kFirstColumn = 720;

// The computer's row runs along the top from right to left, the human's along the bottom from
// left to right; the big pots stand between the rows, the computer's at the left.
constexpr Rect potRect(Side side, Count slot) {
    if (side == Side::Human) {
        return slot == kBigPot
                   ? twipsRect(8520, 2640, kPotWidth, kPotHeight)
                   : twipsRect(kFirstColumn + kPotStep * slot, 4560, kPotWidth, kPotHeight);
    }
    return slot == kBigPot ? twipsRect(840, 2640, kPotWidth, kPotHeight)
                           : twipsRect(kFirstColumn + kPotStep * (kPotsPerSide - 1 - slot), 840,
                                       kPotWidth, kPotHeight);
}

} // namespace pentora::layout
