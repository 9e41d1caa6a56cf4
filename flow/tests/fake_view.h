// A window for the game's tests: it keeps what a real window would show and writes every change
// into a log, in order. Its step clock writes into the same log; its waits return at once after
// one tick, and a test can have an event handled in the middle of any chosen wait, as a player's
// click would be.
#pragma once

#include "game.h"
#include "game_view.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pentora::testing {

class FakeView final : public GameView {
public:
    void attach(Game& game) { game_ = &game; }

    void showCount(Side side, Count slot, Count value) override {
        labels[key(side, slot)] = std::to_string(value);
        record(name(side, slot) + "=" + std::to_string(value));
    }
    void showHighlight(Side side, Count lit) override {
        litSlot[side == Side::Human ? 0 : 1] = lit;
        record(lit == kNoSlot ? std::string("clear ") + (side == Side::Human ? "H" : "C")
                              : "light " + name(side, lit));
    }
    void setHumanPotsEnabled(bool enabled) override {
        humanPotsEnabled = enabled;
        record(enabled ? "enable" : "disable");
    }
    void setTitle(std::string_view t) override {
        title = t;
        record("title " + title);
    }
    void setStartCaption(std::string_view c) override {
        startCaption = c;
        record("start " + startCaption);
    }
    std::string difficultyText() const override { return difficulty; }
    void setDifficultyText(std::string_view text) override { difficulty = text; }
    void addDifficultyItem(int index, std::string_view text) override {
        items.insert(items.begin() + index, std::string(text));
    }
    void showMessage(std::string_view text, std::string_view boxTitle) override {
        messages.push_back(std::string(boxTitle) + ": " + std::string(text));
        record("box " + std::string(boxTitle));
        if (onMessage) {
            auto action = std::move(onMessage);
            onMessage = nullptr;
            action();
        }
    }
    // What a screen reader would say, apart from the log: said at the turns, not at the steps.
    void announce(std::string_view message) override { spoken.emplace_back(message); }
    void unloadWindow() override {
        unloaded = true;
        record("unload");
        game_->Form_Unload();
    }

    std::string label(Side side, Count slot) const {
        auto it = labels.find(key(side, slot));
        return it == labels.end() ? "0" : it->second;
    }
    // The board as the fourteen labels show it.
    Board shown() const {
        Board board{};
        for (const Side side : {Side::Human, Side::Cpu}) {
            for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
                board.at(side, slot) = static_cast<Count>(std::stoi(label(side, slot)));
            }
        }
        return board;
    }
    int total() const {
        int sum = 0;
        for (const auto& [k, v] : labels) {
            sum += std::stoi(v);
        }
        return sum;
    }
    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    std::map<int, std::string> labels; // side * 10 + slot -> caption
    std::vector<std::string> log;
    std::vector<std::string> messages;
    std::vector<std::string> spoken;
    std::vector<std::string> items;
    std::function<void()> onMessage;
    std::string title;
    std::string startCaption;
    std::string difficulty;
    Count litSlot[2] = {kNoSlot, kNoSlot};
    bool humanPotsEnabled = true;
    bool unloaded = false;

private:
    static int key(Side side, Count slot) { return (side == Side::Human ? 0 : 10) + slot; }
    static std::string name(Side side, Count slot) {
        return (side == Side::Human ? "H" : "C") + std::to_string(slot);
    }
    void record(std::string entry) { log.push_back(std::move(entry)); }

    Game* game_ = nullptr;
};

class FakeClock final : public StepClock {
public:
    explicit FakeClock(std::vector<std::string>& log) : log_(log) {}
    void attach(Game& game) { game_ = &game; }

    void setTimerRunning(bool running) override {
        if (running) {
            log_.emplace_back("wait");
        }
        timer = running;
    }
    bool timerRunning() const override { return timer; }
    void waitForEvents() override {
        ++waits;
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        if (auto it = duringWait.find(waits); it != duringWait.end()) {
            auto action = std::move(it->second);
            duringWait.erase(it);
            action();
        }
        if (timer) {
            ++ticks;
            game_->Timer1_Timer();
        }
        --depth;
    }

    std::map<int, std::function<void()>> duringWait; // wait number (from 1) -> event
    bool timer = true; // the timer is enabled until the window's load switches it off
    int waits = 0;
    int ticks = 0; // waits that the tick ended, not something handled during them
    int depth = 0;
    int maxDepth = 0;

private:
    std::vector<std::string>& log_;
    Game* game_ = nullptr;
};

// A game wired to a fake window and step clock as the real window wires it, and loaded.
struct FakeWindow {
    explicit FakeWindow(RandomSource& random) : game(view, clock, random) {
        view.attach(game);
        clock.attach(game);
        game.Form_Load();
    }
    FakeView view;
    FakeClock clock{view.log};
    Game game;
};

} // namespace pentora::testing
