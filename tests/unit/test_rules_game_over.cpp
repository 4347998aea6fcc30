#include "tests/unit/test_rules_fixture.h"

class GameOverTest : public RulesTest {
protected:
    static void EndNormalGame(int moves)
    {
        game.timeTrial = false;
        game.boardsCleared = 3;
        game.pairsOnBoard = 0;
        game.moves = moves;
        CheckGameOver();
    }

    static void EndTimeTrial(int pairs, int moves)
    {
        SetClock(0, 0, 0);
        game.boardsCleared = pairs / 8;
        game.pairsOnBoard = pairs % 8;
        game.moves = moves;
        CheckGameOver();
    }

    static void SetTable(int offset, std::initializer_list<int> values)
    {
        int slot = offset;
        for (int v : values)
            saved.scoreValues[slot++] = v;
    }
};

TEST_F(GameOverTest, NormalModeScoreDividesThousandsByMoves)
{
    EndNormalGame(24);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(game.finalScore, 1000);
    EndNormalGame(25);
    EXPECT_EQ(game.finalScore, 960);
    EndNormalGame(37);
    EXPECT_EQ(game.finalScore, 648);
}

TEST_F(GameOverTest, TimeTrialScoreAddsTheMoveBonus)
{
    EndTimeTrial(13, 20);
    EXPECT_EQ(game.finalScore, 1306);
    EndTimeTrial(8, 8);
    EXPECT_EQ(game.finalScore, 810);
    EndTimeTrial(0, 5);
    EXPECT_EQ(game.finalScore, 0);
}

TEST_F(GameOverTest, EndingStopsTheClockAndHidesHelp)
{
    game.clockRunning = true;
    game.helpShown = true;
    EndTimeTrial(3, 4);
    EXPECT_TRUE(game.gameOver);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_FALSE(game.helpShown);
}

TEST_F(GameOverTest, TimeTrialWithoutAMoveScoresZeroAndNoPlace)
{
    EndTimeTrial(0, 0);
    EXPECT_EQ(game.moves, 1);
    EXPECT_EQ(game.finalScore, 0);
    EXPECT_EQ(game.finalRank, -1);
}

TEST_F(GameOverTest, NothingEndsBeforeTheCondition)
{
    game.clockRunning = true;
    SetClock(0, 0, 1);
    game.pairsOnBoard = 0;
    game.boardsCleared = 3;  // 24 pairs mean nothing in time trial
    CheckGameOver();
    EXPECT_FALSE(game.gameOver);
    EXPECT_TRUE(game.clockRunning);

    game.timeTrial = false;
    game.boardsCleared = 2;
    game.pairsOnBoard = 7;
    game.secondsOnes = 0;  // and the clock means nothing in normal mode
    CheckGameOver();
    EXPECT_FALSE(game.gameOver);
}

TEST_F(GameOverTest, SuspendedWhileTheBoardTurnsBack)
{
    game.reshufflePending = true;
    EndTimeTrial(5, 6);
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(game.finalScore, 0);
    EndNormalGame(24);
    EXPECT_FALSE(game.gameOver);
}

TEST_F(GameOverTest, RepeatedTestsGiveTheSameResult)
{
    SetTable(5, {900, 700, 500, 300, 100});
    EndTimeTrial(6, 9);
    int score = game.finalScore;
    int rank = game.finalRank;
    EXPECT_EQ(score, 606);
    EXPECT_EQ(rank, 7);
    game.clockRunning = true;  // a click after the end
    for (int i = 0; i < 10; ++i)
        CheckGameOver();
    EXPECT_EQ(game.finalScore, score);
    EXPECT_EQ(game.finalRank, rank);
    EXPECT_EQ(game.moves, 9);
    EXPECT_FALSE(game.clockRunning);
}

TEST_F(GameOverTest, RankIsAnAbsoluteSlotAndTiesGoBelow)
{
    SetTable(0, {1000, 960, 800, 648, 500});
    SetTable(5, {50, 40, 30, 20, 10});
    game.timeTrial = false;
    game.finalScore = 500;
    EXPECT_EQ(FindRank(), -1);  // equal to the fifth: no place
    game.finalScore = 501;
    EXPECT_EQ(FindRank(), 4);
    game.finalScore = 648;
    EXPECT_EQ(FindRank(), 4);
    game.finalScore = 960;
    EXPECT_EQ(FindRank(), 2);
    game.finalScore = 1001;
    EXPECT_EQ(FindRank(), 0);

    // The time-trial table only: slot 5 for a new best, never the normal table.
    game.timeTrial = true;
    game.finalScore = 51;
    EXPECT_EQ(FindRank(), 5);
    game.finalScore = 10;
    EXPECT_EQ(FindRank(), -1);
    game.finalScore = 11;
    EXPECT_EQ(FindRank(), 9);
}

TEST_F(GameOverTest, EmptyTableTakesAnyPositiveScoreFirst)
{
    game.timeTrial = true;
    game.finalScore = 1;
    EXPECT_EQ(FindRank(), 5);
    game.finalScore = 0;
    EXPECT_EQ(FindRank(), -1);
}
