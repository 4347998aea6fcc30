#include "tests/unit/test_rules_fixture.h"

class SelectionTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        LayKnownBoard();  // block i matches block i + 8
    }
};

TEST_F(SelectionTest, FirstPickStartsTheTurnAndTheClock)
{
    game.soundOn = true;
    game.helpShown = true;
    game.gameOverAlpha = 0.7f;
    EXPECT_TRUE(OnBlockName(100 + 5).playClick);
    EXPECT_EQ(game.picksInTurn, 1);
    EXPECT_EQ(game.firstPick, 5);
    EXPECT_EQ(game.moves, 0);
    EXPECT_TRUE(game.blocks[5].animating);
    EXPECT_EQ(game.blocks[5].direction, 1.0f);
    EXPECT_TRUE(game.clockRunning);
    EXPECT_EQ(game.gameOverAlpha, 0.0f);
    EXPECT_FALSE(game.helpShown);
}

TEST_F(SelectionTest, OnlyBlockNamesReachTheBoard)
{
    OnBlockName(99);
    OnBlockName(116);
    OnBlockName(0);
    EXPECT_FALSE(game.clockRunning);
    for (const Block& block : game.blocks)
        EXPECT_FALSE(block.animating);
    OnBlockName(115);
    EXPECT_TRUE(game.blocks[15].animating);
}

TEST_F(SelectionTest, MatchCountsPairAndMoveInOnePick)
{
    ClickBlock(2);
    ClickBlock(10);
    EXPECT_EQ(game.picksInTurn, 2);
    EXPECT_EQ(game.firstPick, 2);
    EXPECT_EQ(game.secondPick, 10);
    EXPECT_EQ(game.pairsOnBoard, 1);
    EXPECT_EQ(game.moves, 1);
    EXPECT_TRUE(game.blocks[2].animating);
    EXPECT_TRUE(game.blocks[10].animating);

    // The next pick leaves a matched pair face up.
    RunFrames(18);
    ClickBlock(0);
    EXPECT_EQ(game.blocks[2].direction, 1.0f);
    EXPECT_EQ(game.blocks[10].direction, 1.0f);
    EXPECT_EQ(game.picksInTurn, 1);
    EXPECT_EQ(game.firstPick, 0);
}

TEST_F(SelectionTest, MismatchWaitsFaceUpUntilTheNextPick)
{
    ClickBlock(1);
    ClickBlock(3);
    EXPECT_EQ(game.pairsOnBoard, 0);
    EXPECT_EQ(game.moves, 1);
    RunFrames(30);
    EXPECT_EQ(game.blocks[1].angle, 180.0f);
    EXPECT_EQ(game.blocks[3].angle, 180.0f);
    EXPECT_EQ(game.blocks[1].direction, 1.0f);

    // Clicks on the waiting pair are ignored.
    ClickBlock(1);
    ClickBlock(3);
    EXPECT_EQ(game.picksInTurn, 2);
    EXPECT_EQ(game.moves, 1);

    // A third block turns them back first, then becomes the new first pick.
    ClickBlock(7);
    EXPECT_EQ(game.blocks[1].direction, -1.0f);
    EXPECT_EQ(game.blocks[3].direction, -1.0f);
    EXPECT_EQ(game.picksInTurn, 1);
    EXPECT_EQ(game.firstPick, 7);
    EXPECT_EQ(game.moves, 1);
    RunFrames(18);
    EXPECT_FALSE(game.blocks[1].animating);
    EXPECT_EQ(game.blocks[1].angle, 0.0f);
    EXPECT_EQ(game.blocks[1].direction, 1.0f);
    EXPECT_EQ(game.blocks[7].angle, 180.0f);
}

TEST_F(SelectionTest, MismatchTurnedBackWhileStillTurningUp)
{
    ClickBlock(1);
    ClickBlock(3);
    RunFrames(5);
    ClickBlock(4);  // both at 50 degrees: they go back from there
    RunFrames(1);
    EXPECT_EQ(game.blocks[1].angle, 40.0f);
    EXPECT_EQ(game.blocks[3].angle, 40.0f);
    RunFrames(4);
    EXPECT_FALSE(game.blocks[1].animating);
    EXPECT_FALSE(game.blocks[3].animating);
}

TEST_F(SelectionTest, IgnoredClicksStillHideHelpAndStartTheClock)
{
    ClickBlock(6);  // first pick, turning
    game.helpShown = true;
    game.clockRunning = false;
    game.paused = true;
    game.pausedAlpha = 0.4f;
    game.soundOn = true;
    EXPECT_FALSE(ClickBlock(6).playClick);
    EXPECT_EQ(game.picksInTurn, 1);
    EXPECT_FALSE(game.helpShown);
    EXPECT_TRUE(game.clockRunning);
    EXPECT_TRUE(game.paused);  // an ignored click leaves the pause on
    EXPECT_EQ(game.pausedAlpha, 0.4f);

    EXPECT_TRUE(ClickBlock(14).playClick);  // matches block 6
    RunFrames(18);
    EXPECT_FALSE(ClickBlock(14).playClick);  // matched, face up: ignored
    EXPECT_FALSE(ClickBlock(6).playClick);
    EXPECT_EQ(game.moves, 1);
    EXPECT_EQ(game.picksInTurn, 2);
}

TEST_F(SelectionTest, PickWhilePausedEndsThePause)
{
    game.paused = true;
    game.pausedAlpha = 1.0f;
    ClickBlock(0);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.pausedAlpha, 0.0f);
    EXPECT_EQ(game.picksInTurn, 1);
}

TEST_F(SelectionTest, NoSoundCallWithSoundOff)
{
    EXPECT_FALSE(ClickBlock(0).playClick);
    EXPECT_FALSE(ClickBlock(8).playClick);
    game.soundOn = true;
    EXPECT_TRUE(ClickBlock(1).playClick);
    EXPECT_TRUE(ClickBlock(9).playClick);
}

TEST_F(SelectionTest, AfterTheEndClicksTurnNothingButRestartTheBanner)
{
    game.gameOver = true;
    game.gameOverAlpha = 1.0f;
    game.helpShown = true;
    ClickBlock(0);
    EXPECT_FALSE(game.blocks[0].animating);
    EXPECT_EQ(game.picksInTurn, 0);
    EXPECT_TRUE(game.clockRunning);
    EXPECT_EQ(game.gameOverAlpha, 0.0f);
    EXPECT_FALSE(game.helpShown);
}

TEST_F(SelectionTest, EighthMatchClearsTheBoard)
{
    for (int i = 0; i < 7; ++i) {
        ClickBlock(i);
        ClickBlock(i + 8);
    }
    EXPECT_EQ(game.pairsOnBoard, 7);
    EXPECT_FALSE(game.boardCleared);
    ClickBlock(15);
    ClickBlock(7);
    EXPECT_EQ(game.pairsOnBoard, 0);
    EXPECT_EQ(game.boardsCleared, 1);
    EXPECT_EQ(game.moves, 8);
    EXPECT_TRUE(game.boardCleared);
    EXPECT_EQ(game.lastPickOfBoard, 7);
}

TEST_F(SelectionTest, ClearedBlockRestingDuringTurnBackIsPlayable)
{
    // During a turn-back a block already at rest can be picked on the old board.
    game.blocks[12].angle = 0.0f;
    ClickBlock(3);
    RunFrames(18);
    ResetRound();
    RunFrames(1);  // block 12 was face down: it rests again at once
    EXPECT_TRUE(game.reshufflePending);
    ClickBlock(12);
    EXPECT_EQ(game.firstPick, 12);
    EXPECT_EQ(game.picksInTurn, 1);
    // The deal now waits for block 12, which turns up and stays up.
    RunFrames(40);
    EXPECT_TRUE(game.reshufflePending);
    EXPECT_EQ(game.blocks[12].angle, 180.0f);
}
