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

} // namespace pentora::texts
