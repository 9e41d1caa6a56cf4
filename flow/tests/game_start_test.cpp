// The window's load, the start button and the difficulty box.
#include "game_flow_fixture.h"

namespace pentora::testing {
namespace {

TEST_F(GameFlow, LoadPreparesTheWindowWithoutTouchingTheBoard) {
    EXPECT_FALSE(clock.timer);
    EXPECT_EQ(view.startCaption, "Inizia");
    EXPECT_EQ(view.difficulty, "Scegli la difficolta'");
    EXPECT_EQ(view.items,
              (std::vector<std::string>{"Troppo facile!", "Facile facile!", "Facile!", "Mediocre!",
                                        "Non troppo difficile!", "Difficile ... piu' o meno ;-)"}));
    EXPECT_EQ(view.title, "Pentora");
    EXPECT_EQ(view.total(), 0);
    EXPECT_FALSE(game.gameOn());
    EXPECT_FALSE(game.humanToMove());
    EXPECT_EQ(game.level(), 0);
}

TEST_F(GameFlow, EachItemStartsItsLevelAndNothingElseDoes) {
    const std::pair<std::string, Count> table[] = {
        {"Troppo facile!", 1},
        {"Facile facile!", 2},
        {"Facile!", 3},
        {"Mediocre!", 4},
        {"Non troppo difficile!", 5},
        {"Difficile ... piu' o meno ;-)", 6},
        {"Scegli la difficolta'", 0},
        {"facile!", 0},
        {"Facile! ", 0},
        {" Mediocre!", 0},
        {"Difficile ... piu' o meno ;-", 0},
        {"", 0},
        {"Facile!\n", 0},
        {std::string(10000, 'x'), 0},
        {"Difficolt\xc3\xa0 \xe2\x9c\x93", 0},
    };
    for (const auto& [text, level] : table) {
        EXPECT_EQ(levelForText(text), level) << '"' << text << '"';
    }
}

TEST_F(GameFlow, AStartWithoutADifficultyOnlyWarns) {
    view.takeLog();
    start("Scegli la difficolta'");
    EXPECT_EQ(view.takeLog(), (Log{"box ATTENZIONE!"}));
    EXPECT_EQ(view.messages, (std::vector<std::string>{"ATTENZIONE!: Scegli la difficolta'"}));
    EXPECT_FALSE(game.gameOn());
    EXPECT_EQ(game.level(), 0);
    EXPECT_EQ(random.reseeds, 1); // reseeded all the same
}

TEST_F(GameFlow, AStartFromIdleSetsUpTheOpeningAndGivesTheHumanTheFirstMove) {
    view.takeLog();
    start("Mediocre!");
    const Log expected = {
        "start Nuova\nPartita",
        "H0=4",
        "C0=4",
        "H1=4",
        "C1=4",
        "H2=4",
        "C2=4",
        "H3=4",
        "C3=4",
        "H4=4",
        "C4=4",
        "H5=4",
        "C5=4",
        "H6=0",
        "C6=0",
        "clear C",
        "clear H",
    };
    EXPECT_EQ(view.takeLog(), expected);
    EXPECT_EQ(game.level(), 4);
    expectFreshGame();
    EXPECT_EQ(view.spoken, std::vector<std::string>{
                               "Partita iniziata, livello 4, Mediocre! Le tue pentole: 4, 4, 4, 4, "
                               "4, 4; la tua pentola grande: 0. Pentole del computer: 4, 4, 4, 4, "
                               "4, 4; pentola grande del computer: 0. Tocca a te."});
}

TEST_F(GameFlow, ARestartTakesTheNewDifficultyAndARefusedOneKeepsTheGame) {
    start("Troppo facile!");
    game.Human_Click(2); // extra move: the human is to move again
    const Board afterMove = game.board();

    start("mediocre!");
    EXPECT_EQ(game.board(), afterMove);
    EXPECT_EQ(game.level(), 1);
    EXPECT_TRUE(game.gameOn());

    start("Non troppo difficile!");
    EXPECT_EQ(game.level(), 5);
    expectFreshGame();
    EXPECT_EQ(random.reseeds, 3);
}

TEST_F(GameFlow, MenuCommandsShowTheirTextsAndChangeNothing) {
    game.BoardKey_Press();
    EXPECT_EQ(view.spoken.back(), "Le tue pentole: 0, 0, 0, 0, 0, 0; la tua pentola grande: 0. "
                                  "Pentole del computer: 0, 0, 0, 0, 0, 0; pentola grande del "
                                  "computer: 0. Nessuna partita in corso.");
    start();
    const Board before = game.board();
    view.takeLog();
    game.BoardKey_Press();
    EXPECT_TRUE(view.takeLog().empty());
    EXPECT_TRUE(view.spoken.back().ends_with("computer: 0. Tocca a te."));
    game.Istruzioni_Click();
    game.BugReport_Click();
    ASSERT_EQ(view.messages.size(), 2U);
    EXPECT_EQ(view.messages[0],
              "ISTRUZIONI: Gioca contro il computer e lancia i 'fagioli' nelle pentole\n"
              "clicca con il mouse sul 'numero di fagioli' nella pentola e questi verranno\n"
              "messi nelle pentole successive; Se l'ultimo fagiolo va nella tua pentola grande "
              "potrai\n"
              "fare un altro tiro, se va in una tua pentola vuota vinci anche i 'fagioli' nella "
              "pentola\n"
              "corrispondente del computer...");
    EXPECT_EQ(view.messages[1],
              "BUG REPORT: Se volete segnalare dei 'bug' nel programma inviatemi una e-mail \n"
              "all'indirizzo bugs@pentora.example.org con una descrizione dettagliata del "
              "problema");
    EXPECT_EQ(game.board(), before);
    EXPECT_TRUE(game.humanToMove());
}

TEST_F(GameFlow, TheExitButtonUnloadsTheWindow) {
    game.ExitBTN_Click();
    EXPECT_TRUE(view.unloaded);
    EXPECT_TRUE(game.closing());
}

} // namespace
} // namespace pentora::testing
