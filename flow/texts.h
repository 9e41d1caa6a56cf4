// Every word the game shows the player, and what a screen reader says of its window.
#pragma once

#include "game_end.h"

#include <array>
#include <string>
#include <string_view>

namespace pentora::texts {

inline constexpr std::string_view kAppTitle = "Pentora";
inline constexpr std::string_view kThinking = "Il computer sta pensando...";
inline constexpr std::string_view kMoving = "Il computer sta muovendo...";

// The start button's caption before the window's load replaces it.
inline constexpr std::string_view kDesignCaption = "Command1";
inline constexpr std::string_view kStart = "Inizia";
inline constexpr std::string_view kNewGame = "Nuova\nPartita";

inline constexpr std::string_view kExit = "-- E S C I --";
// The two menu commands; '&' marks their Alt+letter keys.
inline constexpr std::string_view kInstructionsMenu = "&Istruzioni";
inline constexpr std::string_view kBugReportMenu = "&Bug Report";

// The difficulty box's name for a screen reader: its legend is only in the board picture.
inline constexpr std::string_view kDifficultyName = "Difficolta'";
inline constexpr std::string_view kChooseDifficulty = "Scegli la difficolta'";
inline constexpr std::string_view kWarningTitle = "ATTENZIONE!";
// The difficulty box's items; the level of item i is i + 1.
inline constexpr std::array<std::string_view, 6> kDifficulties = {
    "Troppo facile!", "Facile facile!",        "Facile!",
    "Mediocre!",      "Non troppo difficile!", "Difficile ... piu' o meno ;-)",
};

inline constexpr std::string_view kLost = ":-( Hai PERSO! :-(";
inline constexpr std::string_view kWon = ":-) Hai VINTO! :-)";
inline constexpr std::string_view kDraw = ":-| Pareggio! :-|";

// The result message: the outcome's line, a line break, then both scores, the computer's first.
inline std::string resultText(Count cpuScore, Count humanScore) {
    const Outcome outcome = outcomeOf(cpuScore, humanScore);
    const std::string_view headline = outcome == Outcome::CpuWins     ? kLost
                                      : outcome == Outcome::HumanWins ? kWon
                                                                      : kDraw;
    return std::string(headline) + "\nCPU: " + std::to_string(cpuScore) +
           " / TU: " + std::to_string(humanScore);
}

inline constexpr std::string_view kPressStart = "Clicca su 'Inizia' per giocare!";
inline constexpr std::string_view kNotYourTurn = "Non e' il tuo turno!";

inline constexpr std::string_view kInstructionsTitle = "ISTRUZIONI";
inline constexpr std::string_view kInstructions =
    "Gioca contro il computer e lancia i 'fagioli' nelle pentole\n"
    "clicca con il mouse sul 'numero di fagioli' nella pentola e questi verranno\n"
    "messi nelle pentole successive; Se l'ultimo fagiolo va nella tua pentola grande potrai\n"
    "fare un altro tiro, se va in una tua pentola vuota vinci anche i 'fagioli' nella pentola\n"
    "corrispondente del computer...";

inline constexpr std::string_view kBugReportTitle = "BUG REPORT";
inline constexpr std::string_view kBugReport =
    "Se volete segnalare dei 'bug' nel programma inviatemi una e-mail \n"
    "all'indirizzo bugs@pentora.example.org con una descrizione dettagliata del problema";

// A pot's name for a screen reader; the pots of each side are numbered 1 to 6 from their first.
inline std::string potName(Side side, Count slot) {
    if (side == Side::Human) {
        return slot == kBigPot ? "La tua pentola grande"
                               : "La tua pentola " + std::to_string(slot + 1);
    }
    return slot == kBigPot ? "Pentola grande del computer"
                           : "Pentola " + std::to_string(slot + 1) + " del computer";
}

// A pot's count as a screen reader says it.
inline std::string beanCount(Count beans) {
    return beans == 1 ? "1 fagiolo" : std::to_string(beans) + " fagioli";
}

// What a screen reader reads of a pot: which pot, then its count.
inline std::string potReading(Side side, Count slot, Count beans) {
    return potName(side, slot) + ", " + beanCount(beans);
}

// What a screen reader says at the turns of the game, and when the player asks for the board.
inline constexpr std::string_view kYourTurn = "Tocca a te.";
inline constexpr std::string_view kYourTurnAgain = "Tocca ancora a te.";
inline constexpr std::string_view kComputersTurn = "Tocca al computer.";
inline constexpr std::string_view kMoveUnderWay = "La tua mossa e' in corso.";
inline constexpr std::string_view kNoGame = "Nessuna partita in corso.";

// The fourteen counts: the player's six pots from the first and their big pot, then the
// computer's likewise.
inline std::string boardReading(const Board& board) {
    auto side = [&board](Side who, std::string_view pots, std::string_view big) {
        std::string text(pots);
        for (Count slot = 0; slot < kPotsPerSide; ++slot) {
            text += (slot == 0 ? " " : ", ") + std::to_string(board.at(who, slot));
        }
        return text + "; " + std::string(big) + " " + std::to_string(board.at(who, kBigPot)) + ".";
    };
    return side(Side::Human, "Le tue pentole:", "la tua pentola grande:") + " " +
           side(Side::Cpu, "Pentole del computer:", "pentola grande del computer:");
}

// The board, then whose turn it is.
inline std::string boardAndTurn(const Board& board, std::string_view turn) {
    return boardReading(board) + " " + std::string(turn);
}

inline std::string gameStarted(Count level, const Board& board) {
    return "Partita iniziata, livello " + std::to_string(level) + ", " +
           std::string(kDifficulties.at(static_cast<std::size_t>(level - 1))) + " " +
           boardAndTurn(board, kYourTurn);
}

// A capture puts the landing bean and the facing pot's beans in the big pot.
inline std::string youCaptured(Count beans) {
    return "Hai catturato " + beanCount(beans) + ".";
}

// One move of the computer's turn, `first` for the first of them; its pots are numbered 1 to 6
// from its first, as their names say.
inline std::string computerPlayed(Count pot, Count captured, bool first) {
    std::string text = first ? "Il computer ha giocato la pentola " : "Poi ha giocato la pentola ";
    text += std::to_string(pot + 1);
    if (captured > 0) {
        text += " e ha catturato " + beanCount(captured);
    }
    return text + ".";
}

} // namespace pentora::texts
