// What the game needs from its window: what the player sees, and the step clock that paces a
// move. The game calls these at the moments the rules change something; the window does nothing
// else on its own.
#pragma once

#include "board.h"

#include <string>
#include <string_view>

namespace pentora {

class GameView {
public:
    virtual ~GameView() = default;

    // A pot label's caption: the count as decimal digits.
    virtual void showCount(Side side, Count slot, Count value) = 0;
    // Repaints a side: slot `lit` in magenta, every other label white (kNoSlot: all white).
    virtual void showHighlight(Side side, Count lit) = 0;
    // The enabled state of the human's six pots (not the big pot).
    virtual void setHumanPotsEnabled(bool enabled) = 0;

    virtual void setTitle(std::string_view title) = 0;
    virtual void setStartCaption(std::string_view caption) = 0;

    virtual std::string difficultyText() const = 0;
    virtual void setDifficultyText(std::string_view text) = 0;
    virtual void addDifficultyItem(int index, std::string_view text) = 0;

    // Says a message through the screen reader, if one is listening; shows nothing.
    virtual void announce(std::string_view message) = 0;

    // A modal box with an OK button and no icon; returns when the player has closed it.
    virtual void showMessage(std::string_view text, std::string_view title) = 0;

    // Closes the window, which ends the program.
    virtual void unloadWindow() = 0;
};

// The length of one step of a move: each bean's pot is lit for one tick of the step timer.
inline constexpr int kStepMs = 500;

// The step timer, Timer1: a one-shot of one step's length whose tick goes to Game::Timer1_Timer.
class StepClock {
public:
    virtual ~StepClock() = default;

    // Starting it (re)starts its interval; stopping it ends every wait in progress.
    virtual void setTimerRunning(bool running) = 0;
    virtual bool timerRunning() const = 0;
    // Sleeps until events arrive and handles them; other handlers of the game run nested here.
    virtual void waitForEvents() = 0;
};

} // namespace pentora
