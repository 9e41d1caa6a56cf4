#pragma once

#include "fake_view.h"
#include "game.h"
#include "scripted_random.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pentora::testing {

inline constexpr const char* kHardest = "Difficile ... piu' o meno ;-)";
using Log = std::vector<std::string>;

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
    // The labels show exactly the game's board.
    void expectLabelsMatchBoard() {
        for (const Side side : {Side::Human, Side::Cpu}) {
            for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
                EXPECT_EQ(view.label(side, slot), std::to_string(game.board().at(side, slot)));
            }
        }
    }

    ScriptedRandom random{{0.25F}}; // draws computer pot 2 unless a test scripts otherwise
    FakeWindow window{random};
    FakeView& view = window.view;
    FakeClock& clock = window.clock;
    Game& game = window.game;
};

} // namespace pentora::testing
