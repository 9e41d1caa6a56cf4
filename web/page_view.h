// The game on a web page: the page's view and step clock, and the loop that hands the page's
// events to the game.
//
// The page only queues its events (clicks, mouse moves over the player's pots, keys, the step
// timer's tick, a box's OK) and shows what it is told. The game takes the events from that queue
// here, one at a time: at the top of the loop, and in every wait of a move, so that a click in
// the middle of a move is handled inside the move's wait, as in the desktop's event loop. A wait
// suspends the game until the page has an event for it; the page itself never calls the game.
#pragma once

#include "game.h"
#include "game_view.h"
#include "random_source.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pentora {

// What the page queues: the kind of event in the low byte, its argument (a pot's slot, a tick's
// number) above it.
enum class PageEvent : std::uint8_t {
    Start = 1,
    Exit = 2,
    PotClick = 3,
    PotHover = 4,
    Tick = 5,
    Instructions = 6,
    BugReport = 7,
    BoardKey = 8,
    BoxClosed = 9,
};

class PageView final : public GameView, public StepClock {
public:
    explicit PageView(RandomSource& random);
    PageView(const PageView&) = delete;
    PageView& operator=(const PageView&) = delete;

    // Loads the window, then handles the page's events until the exit button unloads it.
    void run();

    // GameView
    void showCount(Side side, Count slot, Count value) override;
    void showHighlight(Side side, Count lit) override;
    void setHumanPotsEnabled(bool enabled) override;
    void setTitle(std::string_view title) override;
    void setStartCaption(std::string_view caption) override;
    std::string difficultyText() const override;
    void setDifficultyText(std::string_view text) override;
    void addDifficultyItem(int index, std::string_view text) override;
    void announce(std::string_view message) override;
    void showMessage(std::string_view text, std::string_view title) override;
    void unloadWindow() override;

    // StepClock
    void setTimerRunning(bool running) override;
    bool timerRunning() const override;
    void waitForEvents() override;

private:
    void handle(std::int32_t event);

    Game game_;
    bool timerRunning_ = false;
    // Each start of the timer has its number; a tick of an earlier start, still queued when the
    // timer was stopped or started again, is not a tick of this one.
    std::int32_t timerStart_ = 0;
    bool humanPotsEnabled_ = true;
    bool boxOpen_ = false;
    bool unloaded_ = false;
};

} // namespace pentora
