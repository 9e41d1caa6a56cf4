#include "game.h"

#include "computer_player.h"
#include "game_end.h"
#include "texts.h"

namespace pentora {

Count levelForText(std::string_view text) {
    Count level = 0;
    for (std::size_t i = 0; i < texts::kDifficulties.size(); ++i) {
        if (text == texts::kDifficulties.at(i)) {
            level = static_cast<Count>(i + 1);
        }
    }
    return level;
}

void Game::Form_Load() {
    clock_.setTimerRunning(false);
    GameOn = false;
    Level = 0;
    RefreshStartCaption();
    view_.setDifficultyText(texts::kChooseDifficulty);
    for (std::size_t i = 0; i < texts::kDifficulties.size(); ++i) {
        view_.addDifficultyItem(static_cast<int>(i), texts::kDifficulties.at(i));
    }
    view_.setTitle(texts::kAppTitle);
}

void Game::Form_Unload() {
    // Whatever move is on the stack stops after its current wait; nothing is written after this.
    closing_ = true;
    clock_.setTimerRunning(false);
}

void Game::StatBTN_Click() {
    random_.reseed();
    const Count chosen = levelForText(view_.difficultyText());
    if (chosen == 0) {
        view_.showMessage(texts::kChooseDifficulty, texts::kWarningTitle);
        return;
    }
    // A move being shown belongs to the old game: it is abandoned, and what it changed beyond
    // the board is put back here.
    ++generation_;
    if (computerMoving_) {
        finishComputerMove();
    }
    GameOn = true;
    RefreshStartCaption();
    Level = chosen;
    ResetBoard();
    HumanToMove = true;
    clock_.setTimerRunning(false);
    view_.announce(texts::gameStarted(Level, board_));
}

void Game::RefreshStartCaption() {
    view_.setStartCaption(GameOn ? texts::kNewGame : texts::kStart);
}

void Game::ResetBoard() {
    for (const Write& w : openingWrites()) {
        write(w);
    }
    ClearCpuHighlight();
    ClearHumanHighlight();
}

void Game::Human_Click(Count Index) {
    if (!admitHumanMove(Index)) {
        return;
    }
    HumanToMove = false;
    const Move move = describeMove(board_, Side::Human, Index);
    if (!show(move)) {
        return;
    }
    if (CheckGameOver()) {
        return;
    }
    if (move.landing.extraMove()) {
        HumanToMove = true;
    }
    ClearHighlights();
    if (HumanToMove) {
        view_.announce(texts::boardAndTurn(board_, texts::kYourTurnAgain));
        return;
    }
    std::string report = move.captured > 0 ? texts::youCaptured(move.captured) + " " : "";
    if (!ComputerReplies(report)) {
        return;
    }
    HumanToMove = true;
    ClearHighlights();
    if (!CheckGameOver()) {
        view_.announce(report + texts::boardAndTurn(board_, texts::kYourTurn));
    }
}

bool Game::admitHumanMove(Count Index) {
    if (Index < 0 || Index >= kPotsPerSide) {
        return false;
    }
    if (!GameOn) {
        view_.showMessage(texts::kPressStart, texts::kAppTitle);
        return false;
    }
    if (board_.at(Side::Human, Index) < 1) {
        return false;
    }
    if (!HumanToMove) {
        view_.showMessage(texts::kNotYourTurn, texts::kAppTitle);
        return false;
    }
    return true;
}

bool Game::ComputerReplies(std::string& report) {
    for (bool first = true;; first = false) {
        switch (ComputerTurn(report, first)) {
        case ComputerMove::Done:
            return true;
        case ComputerMove::Abandoned:
            return false;
        case ComputerMove::MovesAgain:
            if (CheckGameOver()) {
                return false;
            }
            break;
        }
    }
}

Game::ComputerMove Game::ComputerTurn(std::string& report, bool first) {
    view_.setTitle(texts::kThinking);
    computerMoving_ = true;
    view_.setHumanPotsEnabled(false);

    const Count StartPot = drawStartPot(board_, random_);
    if (StartPot == kNoSlot) {
        // Only reachable if called with no computer beans; the caller's end-of-game tests rule it
        // out, and a draw that can never succeed must not hang the window.
        finishComputerMove();
        return ComputerMove::Done;
    }
    const Count BestPot = chooseComputerPot(board_, Level, StartPot).BestPot;
    const Move move = describeMove(board_, Side::Cpu, BestPot);

    view_.setTitle(texts::kMoving);
    if (!StepCpuPot(BestPot) || !show(move)) {
        return ComputerMove::Abandoned;
    }
    finishComputerMove();
    ClearCpuHighlight();
    report += texts::computerPlayed(BestPot, move.captured, first) + " ";
    return move.landing.extraMove() ? ComputerMove::MovesAgain : ComputerMove::Done;
}

void Game::finishComputerMove() {
    view_.setHumanPotsEnabled(true);
    computerMoving_ = false;
    view_.setTitle(texts::kAppTitle);
}

bool Game::show(const Move& move) {
    for (const MoveStep& s : move.steps()) {
        if (s.kind == MoveStep::Kind::Drop) {
            // One pot lit at a time: the other side is cleared, then the receiving pot is lit.
            view_.showHighlight(opponent(s.write.side), kNoSlot);
            if (!step(s.write.side, s.write.slot)) {
                return false;
            }
        }
        write(s.write);
    }
    return true;
}

bool Game::CheckGameOver() {
    if (!isGameOver(board_)) {
        return false;
    }
    GameOn = false;
    for (const Write& w : sweepWrites(board_)) {
        write(w);
    }
    view_.showMessage(
        texts::resultText(board_.at(Side::Cpu, kBigPot), board_.at(Side::Human, kBigPot)),
        texts::kAppTitle);
    RefreshStartCaption();
    ResetBoard();
    return true;
}

void Game::Human_MouseMove(Count Index) {
    if (!HumanToMove || !GameOn) {
        return;
    }
    if (Index == kBigPot) {
        ClearHumanHighlight();
        return;
    }
    if (Index < 0 || Index >= kPotsPerSide) {
        return;
    }
    // The hover light waits for a tick like a step of a move, but never nests a second wait:
    // a mouse that keeps moving must not pile waits on the stack or hold the tick back.
    view_.showHighlight(Side::Human, Index);
    if (waitDepth_ == 0) {
        (void)waitOneTick();
    }
}

void Game::Timer1_Timer() {
    clock_.setTimerRunning(false);
}

void Game::ExitBTN_Click() {
    view_.unloadWindow();
}

void Game::Istruzioni_Click() {
    view_.showMessage(texts::kInstructions, texts::kInstructionsTitle);
}

void Game::BugReport_Click() {
    view_.showMessage(texts::kBugReport, texts::kBugReportTitle);
}

void Game::BoardKey_Press() {
    const std::string_view turn = !GameOn           ? texts::kNoGame
                                  : computerMoving_ ? texts::kComputersTurn
                                  : HumanToMove     ? texts::kYourTurn
                                                    : texts::kMoveUnderWay;
    view_.announce(texts::boardAndTurn(board_, turn));
}

bool Game::step(Side side, Count slot) {
    if (slot < 0 || slot > kBigPot) {
        return true; // nothing to show, nothing to wait for
    }
    view_.showHighlight(side, slot);
    return waitOneTick();
}

bool Game::waitOneTick() {
    if (closing_) {
        return false;
    }
    const std::uint32_t generation = generation_;
    clock_.setTimerRunning(true);
    ++waitDepth_;
    while (clock_.timerRunning()) {
        clock_.waitForEvents();
    }
    --waitDepth_;
    return !closing_ && generation == generation_;
}

void Game::loadPosition(const Board& position) {
    for (const Side side : {Side::Human, Side::Cpu}) {
        for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
            write(side, slot, position.at(side, slot));
        }
    }
}

void Game::write(Side side, Count slot, Count value) {
    board_.at(side, slot) = value;
    view_.showCount(side, slot, value);
}

} // namespace pentora
