// Every word the game shows the player.
#pragma once

#include "game_end.h"

#include <array>
#include <string>
#include <string_view>

namespace pentora::texts {

inline constexpr std::string_view kAppTitle = "Pentora";
inline constexpr std::string_view kThinking = "Il computer sta pensando...";
inline constexpr std::string_view kMoving = "Il computer sta muovendo...";

inline constexpr std::string_view kStart = "Inizia";
inline constexpr std::string_view kNewGame = "Nuova\nPartita";

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

} // namespace pentora::texts
