// The computer's replies, the end of the game, and moves cut short by a start or the exit.
#include "board_rows.h"
#include "game_flow_fixture.h"
#include "texts.h"

#include <algorithm>
#include <random>

namespace pentora::testing {
namespace {

// The log from the first entry equal to `from`.
Log from(const Log& log, const std::string& first) {
    return {std::find(log.begin(), log.end(), first), log.end()};
}

TEST_F(GameFlow, TheComputerShowsItsChosenPotFirstThenEachBean) {
    start("Troppo facile!");
    random.script({0.25F, 0.5F}); // start pots 2, then 5
    game.Human_Click(0);          // four beans into pots 1..4: the computer's turn
    const Log log = from(view.takeLog(), kThinkingTitle);
    const Log firstMove = logOf({computerLifts("C2"),
                                 drop("C3", 5),
                                 drop("C4", 5),
                                 drop("C5", 5),
                                 drop("C6", 1),
                                 computerEnds(),
                                 // it moves again: its pot 5 into its big pot and the human's
                                 // pots 0..3
                                 computerLifts("C5"),
                                 drop("C6", 2),
                                 drop("H0", 1),
                                 drop("H1", 6),
                                 drop("H2", 6),
                                 drop("H3", 6),
                                 computerEnds(),
                                 // the turn comes back to the human
                                 {"clear H", "clear C"}});
    EXPECT_EQ(log, firstMove);
    EXPECT_TRUE(game.humanToMove());
    EXPECT_EQ(view.total(), kTotalBeans);
    ASSERT_EQ(view.spoken.size(), 2U); // the start's, then this turn's
    EXPECT_EQ(view.spoken[1], "Il computer ha giocato la pentola 3. Poi ha giocato la pentola 6. "
                              "Le tue pentole: 1, 6, 6, 6, 5, 4; la tua pentola grande: 0. "
                              "Pentole del computer: 4, 4, 0, 5, 5, 0; pentola grande del "
                              "computer: 2. Tocca a te.");
}

TEST_F(GameFlow, DuringTheComputersMoveAClickIsNotTheHumansTurn) {
    start();
    random.script({0.5F}); // computer pot 5
    bool clicked = false;
    clock.duringWait[2] = [&] {
        game.BoardKey_Press();
        EXPECT_TRUE(view.spoken.back().ends_with(". La tua mossa e' in corso."));
    };
    clock.duringWait[6] = [&] { // the human's four beans, the computer's pot, its first bean
        EXPECT_FALSE(game.humanToMove());
        game.Human_Click(1); // as if the disabled pot had let the click through
        clicked = true;
        game.BoardKey_Press();
        EXPECT_TRUE(view.spoken.back().ends_with(". Tocca al computer."));
    };
    game.Human_Click(0);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Pentora: Non e' il tuo turno!"}));
    EXPECT_TRUE(game.humanToMove());
    EXPECT_EQ(view.total(), kTotalBeans);
}

TEST_F(GameFlow, TheComputerCapturesAfterItsLastStepAndOneBeanCapturesAreSaid) {
    // The human's one bean lands in the empty pot 4, facing the computer's empty pot 1: a capture
    // of that one bean. The computer's pot 0 (one bean) then falls into its empty pot 1, facing
    // the pot 4 just emptied: a capture of one bean too.
    startAt(rows({0, 0, 0, 1, 0, 16, 3}, {1, 0, 5, 5, 5, 5, 7}), "Troppo facile!");
    random.script({0.0F});
    game.Human_Click(3);
    const Log log = from(view.takeLog(), "light C0");
    const Log expected = {"light C0",      "wait",    "C0=0",    "clear H", "light C1", "wait",
                          "C1=1",          "C6=8",    "C1=0",    "C6=8",    "H4=0",     "enable",
                          "title Pentora", "clear C", "clear H", "clear C"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(view.spoken,
              (std::vector<std::string>{
                  "Hai catturato 1 fagiolo. Il computer ha giocato la pentola 1 e ha catturato 1 "
                  "fagiolo. Le tue pentole: 0, 0, 0, 0, 0, 16; la tua pentola grande: 4. Pentole "
                  "del computer: 0, 0, 5, 5, 5, 5; pentola grande del computer: 8. Tocca a te."}));
}

TEST_F(GameFlow, TheGameEndsRightAfterTheHumansSowing) {
    // The human's last bean goes into the big pot: another move, but the human's pots are empty.
    startAt(rows({0, 0, 0, 0, 0, 1, 20}, {4, 4, 4, 4, 4, 3, 4}));
    game.Human_Click(5);
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"Pentora: :-( Hai PERSO! :-(\nCPU: 27 / TU: 21"}));
    const Log log = from(view.takeLog(), "H6=21");
    const Log expected = {
        "H6=21", "C6=8",        "H6=21",        "C0=0", "H0=0", "C6=12", "H6=21", "C1=0",
        "H1=0",  "C6=16",       "H6=21",        "C2=0", "H2=0", "C6=20", "H6=21", "C3=0",
        "H3=0",  "C6=24",       "H6=21",        "C4=0", "H4=0", "C6=27", "H6=21", "C5=0",
        "H5=0",  "box Pentora", "start Inizia", "H0=4", "C0=4", "H1=4",  "C1=4",  "H2=4",
        "C2=4",  "H3=4",        "C3=4",         "H4=4", "C4=4", "H5=4",  "C5=4",  "H6=0",
        "C6=0",  "clear C",     "clear H",
    };
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(game.gameOn());
    EXPECT_FALSE(game.humanToMove());
    game.Human_Click(0);
    EXPECT_EQ(view.messages.back(), "Pentora: Clicca su 'Inizia' per giocare!");
}

TEST(ResultText, NamesTheOutcomeThenBothScoresTheComputersFirst) {
    EXPECT_EQ(texts::resultText(30, 18), ":-( Hai PERSO! :-(\nCPU: 30 / TU: 18");
    EXPECT_EQ(texts::resultText(9, 39), ":-) Hai VINTO! :-)\nCPU: 9 / TU: 39");
    EXPECT_EQ(texts::resultText(24, 24), ":-| Pareggio! :-|\nCPU: 24 / TU: 24");
}

TEST_F(GameFlow, TheGameEndsBetweenTheComputersExtraMoves) {
    // The computer's one bean reaches its big pot; its pots are then empty: no further move.
    startAt(rows({1, 4, 4, 4, 4, 4, 3}, {0, 0, 0, 0, 0, 1, 23}));
    random.script({0.5F});
    game.Human_Click(0);
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0], "Pentora: :-| Pareggio! :-|\nCPU: 24 / TU: 24");
    EXPECT_EQ(std::count(view.log.begin(), view.log.end(), kThinkingTitle), 1);
    EXPECT_EQ(game.board(), Board::opening());
    EXPECT_FALSE(game.gameOn());
    EXPECT_TRUE(view.humanPotsEnabled);
    EXPECT_EQ(view.title, "Pentora");
}

TEST_F(GameFlow, ComputerWithoutExtraMoveEmptiesItsSideAndTheFinalTestEndsTheGame) {
    startAt(rows({0, 0, 0, 0, 1, 4, 10}, {0, 0, 0, 0, 0, 2, 31}));
    random.script({0.5F});
    game.Human_Click(4); // into pot 5, which held beans: no capture, the computer's turn
    // The computer's only pot: its big pot, then the human's pot 0. Its side is empty.
    const Log log = from(view.takeLog(), kThinkingTitle);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(std::count(log.begin(), log.end(), kThinkingTitle), 1);
    ASSERT_EQ(view.messages.size(), 1U);
    EXPECT_EQ(view.messages[0], "Pentora: :-( Hai PERSO! :-(\nCPU: 32 / TU: 16");
    EXPECT_FALSE(game.gameOn());
    EXPECT_TRUE(view.spoken.empty()); // the result box says it all
}

// A start pressed at the given wait of the exchange that the click on pot `pot` begins.
class StartDuringMove : public GameFlow {
protected:
    void restartAtWait(int wait) {
        clock.duringWait[wait] = [&] {
            view.takeLog();
            start("Facile!");
            restartLog = view.takeLog();
        };
    }
    Log restartLog;
};

TEST_F(StartDuringMove, AbandonsTheHumansMove) {
    start();
    restartAtWait(2);
    game.Human_Click(5);              // four beans: big pot, computer 0..2
    EXPECT_EQ(view.takeLog(), Log{}); // nothing written after the start
    EXPECT_EQ(game.level(), 3);
    expectFreshGame();
}

TEST_F(StartDuringMove, AbandonsTheComputersMoveAndGivesThePotsBack) {
    start();
    random.script({0.5F}); // computer pot 5
    restartAtWait(6);      // the human's four beans, then the computer's chosen pot, one bean
    game.Human_Click(0);
    EXPECT_EQ(restartLog.front(), "enable");
    EXPECT_EQ(restartLog.at(1), "title Pentora");
    EXPECT_EQ(view.takeLog(), Log{});
    expectFreshGame();
    ASSERT_EQ(view.spoken.size(), 2U);
    EXPECT_TRUE(view.spoken[1].starts_with("Partita iniziata, livello 3, Facile!"));
}

TEST_F(StartDuringMove, AbandonsTheComputersExtraMove) {
    start();
    random.script({0.25F, 0.5F}); // pot 2 ends in the big pot, then pot 5
    restartAtWait(11);            // 4 human + 5 computer steps, then the second move's pot
    game.Human_Click(0);
    ASSERT_FALSE(restartLog.empty());
    EXPECT_EQ(view.takeLog(), Log{});
    expectFreshGame();
    // The new game plays on normally.
    game.Human_Click(2);
    EXPECT_EQ(game.board().at(Side::Human, kBigPot), 1);
    EXPECT_EQ(view.total(), kTotalBeans);
}

TEST_F(GameFlow, ClosingDuringAMoveStopsItAtOnce) {
    for (const int wait : {1, 3, 7}) {
        FakeWindow closing(random);
        closing.view.difficulty = kHardest;
        closing.game.StatBTN_Click();
        random.script({0.5F});
        closing.clock.duringWait[wait] = [&] { closing.game.ExitBTN_Click(); };
        closing.game.Human_Click(0);
        const Log log = closing.view.takeLog();
        EXPECT_EQ(log.back(), "unload") << "closed at wait " << wait;
        EXPECT_EQ(closing.clock.waits, wait);
        EXPECT_EQ(closing.clock.ticks, wait - 1); // the close itself ended its wait
        EXPECT_FALSE(closing.clock.timer);
        EXPECT_EQ(closing.view.spoken.size(), 1U); // the start's only
    }
}

TEST(GameFlowGames, RandomGamesThroughTheWindowKeepEveryBeanAndAlwaysEnd) {
    std::mt19937 rng(777);
    ClockSeededRandom draws(778);
    FakeWindow window(draws);
    FakeView& view = window.view;
    Game& game = window.game;
    constexpr int kGames = 500;
    for (int g = 0; g < kGames; ++g) {
        view.difficulty = std::string(texts::kDifficulties.at(rng() % 6));
        game.StatBTN_Click();
        const std::size_t messagesBefore = view.messages.size();
        for (int click = 0; click < 1000 && game.gameOn(); ++click) {
            game.Human_Click(static_cast<Count>(rng() % 7));
            ASSERT_EQ(view.total(), kTotalBeans);
            ASSERT_TRUE(view.humanPotsEnabled);
            ASSERT_EQ(view.title, "Pentora");
            ASSERT_EQ(view.litSlot[0], kNoSlot);
            ASSERT_EQ(view.litSlot[1], kNoSlot);
            ASSERT_EQ(view.shown(), game.board());
        }
        ASSERT_FALSE(game.gameOn()) << "game " << g << " did not end";
        ASSERT_EQ(view.messages.size(), messagesBefore + 1);
        const std::string& result = view.messages.back();
        ASSERT_TRUE(result.find("PERSO") != std::string::npos ||
                    result.find("VINTO") != std::string::npos ||
                    result.find("Pareggio") != std::string::npos)
            << result;
    }
}

} // namespace
} // namespace pentora::testing
