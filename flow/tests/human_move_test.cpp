// The human's click: admission, the sowing shown bean by bean, the landing.
#include "board_rows.h"
#include "game_flow_fixture.h"

namespace pentora::testing {
namespace {

TEST_F(GameFlow, ClicksThatCannotStartAMoveAreAnsweredInOrder) {
    game.Human_Click(6);
    game.Human_Click(0); // no game yet: even an empty pot gets the hint
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"Pentora: Clicca su 'Inizia' per giocare!"}));

    startAt(rows({0, 4, 4, 4, 4, 4, 4}, {4, 4, 4, 4, 4, 4, 0}));
    game.Human_Click(6);
    game.Human_Click(0); // empty pot during the human's turn: nothing, the turn stays
    game.Human_Click(-1);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.takeLog().empty());
    EXPECT_TRUE(game.humanToMove());
}

TEST_F(GameFlow, PotTwoOfTheOpeningEndsInTheBigPotAndEarnsAnotherMove) {
    start();
    view.takeLog();
    game.Human_Click(2);
    const Log expected = logOf({{"H2=0"},
                                drop("H3", 5),
                                drop("H4", 5),
                                drop("H5", 5),
                                drop("H6", 1),
                                {"clear H", "clear C"}});
    EXPECT_EQ(view.takeLog(), expected);
    EXPECT_TRUE(game.humanToMove());
    EXPECT_EQ(clock.waits, 4); // one tick per bean, and the computer did not play
    EXPECT_EQ(view.spoken.back(), "Le tue pentole: 4, 4, 0, 5, 5, 5; la tua pentola grande: 1. "
                                  "Pentole del computer: 4, 4, 4, 4, 4, 4; pentola grande del "
                                  "computer: 0. Tocca ancora a te.");
}

TEST_F(GameFlow, ACaptureFollowsTheLastBeansStepWithoutAWait) {
    // One bean from pot 1 falls into the empty pot 2, facing the computer's pot 3 (6 beans).
    startAt(rows({4, 1, 0, 4, 4, 4, 3}, {4, 4, 4, 6, 4, 4, 2}));
    random.script({0.25F, 0.0F}); // the reply: pot 2 earns another move, then a search from pot 0
    game.Human_Click(1);
    const Log firstPart = logOf({{"H1=0"},
                                 drop("H2", 1),
                                 {"H6=4", "H2=0", "H6=10", "C3=0", "clear H", "clear C"},
                                 {kThinkingTitle}});
    Log log = view.takeLog();
    log.resize(firstPart.size());
    EXPECT_EQ(log, firstPart);
    ASSERT_EQ(view.spoken.size(), 1U);
    EXPECT_TRUE(view.spoken[0].starts_with("Hai catturato 7 fagioli. Il computer ha giocato la "
                                           "pentola 3. Poi ha giocato la pentola 5. "))
        << view.spoken[0];
}

TEST_F(GameFlow, FourteenBeansGoRoundTheWholeBoardAndCaptureInTheirOwnPot) {
    startAt(rows({14, 1, 1, 1, 1, 1, 0}, {2, 2, 2, 2, 2, 2, 17}));
    random.script({0.0F}); // the computer's reply starts at its pot 0
    game.Human_Click(0);
    Log log = view.takeLog();
    const Log sowing = logOf({{"H0=0"},
                              drop("H1", 2),
                              drop("H2", 2),
                              drop("H3", 2),
                              drop("H4", 2),
                              drop("H5", 2),
                              drop("H6", 1),
                              drop("C0", 3),
                              drop("C1", 3),
                              drop("C2", 3),
                              drop("C3", 3),
                              drop("C4", 3),
                              drop("C5", 3),
                              drop("C6", 18),
                              drop("H0", 1),
                              // the capture: the landing bean and the computer's pot 5
                              {"H6=2", "H0=0", "H6=5", "C5=0"}});
    log.resize(sowing.size());
    EXPECT_EQ(log, sowing);
}

TEST_F(GameFlow, AClickDuringTheHumansSowingIsRefusedAndTheMoveGoesOn) {
    start();
    Board expected = Board::opening();
    playMove(expected, Side::Human, 2);
    clock.duringWait[2] = [&] {
        game.Human_Click(0); // a pot with beans: not your turn
        game.Human_Click(2); // the emptied pot: nothing
        // The mouse over the pots changes no light: the pot about to get a bean stays lit.
        EXPECT_EQ(view.litSlot[0], 4);
        for (const Count slot : {Count{0}, Count{4}, Count{5}, kBigPot}) {
            game.Human_MouseMove(slot);
            EXPECT_EQ(view.litSlot[0], 4) << "mouse over " << slot;
        }
    };
    game.Human_Click(2);
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Pentora: Non e' il tuo turno!"}));
    EXPECT_EQ(game.board(), expected);
    EXPECT_EQ(clock.waits, 4);
    EXPECT_EQ(view.shown(), game.board());
}

TEST_F(GameFlow, AClickOnALitPotStartsTheMoveInsideTheHoverWait) {
    start();
    view.takeLog();
    clock.duringWait[1] = [&] { game.Human_Click(2); };
    game.Human_MouseMove(2);
    const Log log = view.takeLog();
    EXPECT_EQ(log.front(), "light H2");
    EXPECT_EQ(log.at(1), "wait");
    EXPECT_EQ(log.at(2), "H2=0");
    EXPECT_EQ(log.back(), "clear C"); // the hover wait ended without painting anything
    EXPECT_EQ(game.board().at(Side::Human, kBigPot), 1);
    EXPECT_FALSE(clock.timer);
}

TEST_F(GameFlow, HoverLightsThePotUnderTheMouseOnlyDuringTheHumansTurn) {
    game.Human_MouseMove(3); // no game
    EXPECT_EQ(view.litSlot[0], kNoSlot);

    start();
    game.Human_MouseMove(3);
    EXPECT_EQ(view.litSlot[0], 3);
    game.Human_MouseMove(0);
    EXPECT_EQ(view.litSlot[0], 0);
    game.Human_MouseMove(6);
    EXPECT_EQ(view.litSlot[0], kNoSlot);
    EXPECT_EQ(clock.waits, 2);
}

TEST_F(GameFlow, AMouseThatNeverStopsNeverPilesUpWaits) {
    start();
    int moves = 0;
    clock.duringWait[1] = [&] {
        for (; moves < 5000; ++moves) {
            game.Human_MouseMove(static_cast<Count>(moves % 7));
        }
    };
    game.Human_MouseMove(1);
    EXPECT_EQ(moves, 5000);
    EXPECT_EQ(clock.maxDepth, 1);
    EXPECT_EQ(clock.waits, 1);
    EXPECT_FALSE(clock.timer);
}

} // namespace
} // namespace pentora::testing
