// The game: its state and the handlers of every window event. The window forwards its events
// here, shows what the game tells it through GameView and paces the steps through StepClock.
//
// A move is shown bean by bean: each receiving pot is lit, the game sleeps in the event loop
// for one tick of the step timer, and only then does the count rise. Other events are handled
// nested inside that wait, so a start or the window closing can arrive in the middle of a move;
// the move then stops at once and writes nothing more.
#pragma once

#include "board.h"
#include "game_view.h"
#include "random_source.h"
#include "sowing.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pentora {

// The level of a difficulty text: 1..6 for the six items matched exactly, 0 for anything else.
Count levelForText(std::string_view text);

class Game {
public:
    Game(GameView& view, StepClock& clock, RandomSource& random)
        : view_(view), clock_(clock), random_(random) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Window events.
    void Form_Load();
    void Form_Unload();
    void StatBTN_Click();
    void Human_Click(Count Index);
    void Human_MouseMove(Count Index);
    void Timer1_Timer();
    void ExitBTN_Click();
    void Istruzioni_Click();
    void BugReport_Click();
    // The key that reads the board aloud: the fourteen counts and whose turn it is.
    void BoardKey_Press();

    // Puts a position on the board of a running game, every label written; for tests and tools.
    void loadPosition(const Board& position);

    bool gameOn() const { return GameOn; }
    Count level() const { return Level; }
    bool humanToMove() const { return HumanToMove; }
    bool computerMoving() const { return computerMoving_; }
    bool closing() const { return closing_; }
    // How many step waits are in progress, one inside the other.
    int waitDepth() const { return waitDepth_; }
    const Board& board() const { return board_; }

private:
    enum class ComputerMove : std::uint8_t { Done, MovesAgain, Abandoned };

    void RefreshStartCaption();
    void ResetBoard();
    bool CheckGameOver();
    // The checks a click on a human pot passes before it starts a move; answers the refused ones.
    bool admitHumanMove(Count Index);
    // The computer's moves after the human's; true when the turn comes back to the human, false
    // when the game ended or the exchange was abandoned.
    // Each of its moves is added to `report`, as a screen reader will say it.
    bool ComputerReplies(std::string& report);
    ComputerMove ComputerTurn(std::string& report, bool first);
    void finishComputerMove();

    void ClearCpuHighlight() { view_.showHighlight(Side::Cpu, kNoSlot); }
    void ClearHumanHighlight() { view_.showHighlight(Side::Human, kNoSlot); }
    // The end of a move: the human's side, then the computer's, back to white.
    void ClearHighlights() {
        ClearHumanHighlight();
        ClearCpuHighlight();
    }
    // Light a pot and wait one tick; false when the move in progress must stop.
    [[nodiscard]] bool StepCpuPot(Count slot) { return step(Side::Cpu, slot); }
    [[nodiscard]] bool step(Side side, Count slot);
    [[nodiscard]] bool waitOneTick();

    // Shows a move write by write, each drop after its pot has been lit for one tick. False when
    // the move was abandoned.
    [[nodiscard]] bool show(const Move& move);

    void write(Side side, Count slot, Count value);
    void write(const Write& w) { write(w.side, w.slot, w.value); }

    GameView& view_;
    StepClock& clock_;
    RandomSource& random_;
    Board board_{}; // what the fourteen labels show

    bool GameOn = false;
    Count Level = 0;
    bool HumanToMove = false;

    // Bumped by every start: a move that finds it changed after a wait belongs to an old game.
    std::uint32_t generation_ = 0;
    bool closing_ = false;
    bool computerMoving_ = false;
    int waitDepth_ = 0;
};

} // namespace pentora
