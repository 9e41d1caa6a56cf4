#pragma once

#include "fake_view.h"
#include "game.h"
#include "scripted_random.h"
#include "texts.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace pentora::testing {

inline const std::string kHardest{texts::kDifficulties.back()};
using Log = std::vector<std::string>;

// Parts of a log, one after the other.
inline Log logOf(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// One bean's step: the other side cleared, the receiving pot ("H3", "C6") lit, one wait, then
// its new count.
inline Log drop(const std::string& pot, int count) {
    const std::string other = pot.front() == 'H' ? "C" : "H";
    return {"clear " + other, "light " + pot, "wait", pot + "=" + std::to_string(count)};
}

// The log's entry for the title of the computer's thinking, which begins each of its moves.
inline const std::string kThinkingTitle = "title " + std::string(texts::kThinking);

// The start of the computer's move: the titles, the human's pots switched off, the chosen pot
// ("C2") lit for a step and emptied.
inline Log computerLifts(const std::string& pot) {
    return {kThinkingTitle, "disable", "title " + std::string(texts::kMoving),
            "light " + pot, "wait",    pot + "=0"};
}

// The end of each computer move: the human's pots back, the title at rest, its side cleared.
inline Log computerEnds() {
    return {"enable", "title " + std::string(texts::kAppTitle), "clear C"};
}

class GameFlow : public ::testing::Test {
protected:
    void start(const std::string& difficulty = kHardest) {
        view.difficulty = difficulty;
        game.StatBTN_Click();
    }
    void startAt(Board position, const std::string& difficulty = kHardest) {
        start(difficulty);
        game.loadPosition(position);
        view.takeLog();
        view.messages.clear();
        view.spoken.clear();
    }
    void expectFreshGame() {
        EXPECT_TRUE(game.gameOn());
        EXPECT_TRUE(game.humanToMove());
        EXPECT_FALSE(game.computerMoving());
        EXPECT_EQ(game.board(), Board::opening());
        EXPECT_EQ(view.total(), kTotalBeans);
        EXPECT_TRUE(view.humanPotsEnabled);
        EXPECT_EQ(view.title, "Pentora");
        EXPECT_EQ(view.startCaption, "Nuova\nPartita");
        EXPECT_FALSE(clock.timer);
    }

    ScriptedRandom random{{0.25F}}; // draws computer pot 2 unless a test scripts otherwise
    FakeWindow window{random};
    FakeView& view = window.view;
    FakeClock& clock = window.clock;
    Game& game = window.game;
};

} // namespace pentora::testing
