#include "tests/unit/test_rules_fixture.h"

class AnimationTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        LayKnownBoard();  // block i matches block i + 8
        saved.gameCounter = 1;
    }

    // Matches pairs 0..6 and lets them face up, leaving pair 7 (blocks 7, 15) to play.
    static void MatchAllButLastPair()
    {
        for (int i = 0; i < 7; ++i) {
            ClickBlock(i);
            ClickBlock(i + 8);
        }
        RunFrames(18);
    }

    // Updates until the pending deal happens; returns how many it took, or -1.
    static int UpdatesUntilDeal(int limit)
    {
        for (int n = 1; n <= limit; ++n) {
            UpdateAnimations();
            if (!game.reshufflePending)
                return n;
        }
        return -1;
    }
};

TEST_F(AnimationTest, PickedBlockFacesUpInEighteenStepsAndStaysUp)
{
    ClickBlock(4);
    for (int step = 1; step <= 17; ++step) {
        UpdateAnimations();
        EXPECT_EQ(game.blocks[4].angle, 10.0f * static_cast<float>(step));
    }
    UpdateAnimations();
    EXPECT_EQ(game.blocks[4].angle, 180.0f);  // exact, so equality tests hold
    RunFrames(50);
    EXPECT_EQ(game.blocks[4].angle, 180.0f);
    EXPECT_TRUE(game.blocks[4].animating);
}

TEST_F(AnimationTest, BlockTurnedBackRestsWithDirectionUp)
{
    ClickBlock(4);
    RunFrames(18);
    game.blocks[4].direction = -1.0f;
    RunFrames(17);
    EXPECT_EQ(game.blocks[4].angle, 10.0f);
    EXPECT_TRUE(game.blocks[4].animating);
    UpdateAnimations();
    EXPECT_EQ(game.blocks[4].angle, 0.0f);
    EXPECT_FALSE(game.blocks[4].animating);
    EXPECT_EQ(game.blocks[4].direction, 1.0f);
    RunFrames(5);
    EXPECT_EQ(game.blocks[4].angle, 0.0f);
}

TEST_F(AnimationTest, ButtonPressRunsSevenFramesOfFloatSums)
{
    game.buttons[2].pressed = true;
    UpdateAnimations();
    EXPECT_EQ(game.buttons[2].depth, 0.1f);
    UpdateAnimations();
    EXPECT_EQ(game.buttons[2].depth, 0.2f);
    UpdateAnimations();
    EXPECT_EQ(game.buttons[2].depth, 0.3f);
    EXPECT_EQ(game.buttons[2].direction, -1.0f);

    // On the way back the float sums miss 0.2 and 0.1, so it takes four steps.
    UpdateAnimations();
    EXPECT_NE(game.buttons[2].depth, 0.2f);
    EXPECT_NEAR(game.buttons[2].depth, 0.2000000179, 1e-10);
    UpdateAnimations();
    EXPECT_NEAR(game.buttons[2].depth, 0.1000000164, 1e-10);
    UpdateAnimations();
    EXPECT_GT(game.buttons[2].depth, 0.0f);
    EXPECT_NEAR(game.buttons[2].depth, 0.0000000149, 1e-10);
    EXPECT_TRUE(game.buttons[2].pressed);
    UpdateAnimations();
    EXPECT_EQ(game.buttons[2].depth, 0.0f);
    EXPECT_FALSE(game.buttons[2].pressed);
    EXPECT_EQ(game.buttons[2].direction, 1.0f);

    // Other buttons never moved.
    EXPECT_EQ(game.buttons[0].depth, 0.0f);
    EXPECT_EQ(game.buttons[3].depth, 0.0f);
}

TEST_F(AnimationTest, PressingAgainWhileRunningChangesNothing)
{
    game.buttons[0].pressed = true;
    RunFrames(4);
    float depth = game.buttons[0].depth;
    game.buttons[0].pressed = true;
    UpdateAnimations();
    EXPECT_LT(game.buttons[0].depth, depth);
    RunFrames(2);
    EXPECT_FALSE(game.buttons[0].pressed);
    EXPECT_EQ(game.buttons[0].depth, 0.0f);
}

TEST_F(AnimationTest, ClearedBoardTurnsBackWhenLastPickFacesUp)
{
    MatchAllButLastPair();
    ClickBlock(15);
    RunFrames(5);
    ClickBlock(7);
    ASSERT_TRUE(game.boardCleared);
    RunFrames(17);
    EXPECT_TRUE(game.boardCleared);
    EXPECT_FALSE(game.reshufflePending);
    EXPECT_EQ(saved.gameCounter, 1);
    UpdateAnimations();
    EXPECT_FALSE(game.boardCleared);
    EXPECT_TRUE(game.reshufflePending);
    EXPECT_EQ(saved.gameCounter, 2);
    // Blocks after the last pick already stepped back in this frame, those before not.
    EXPECT_EQ(game.blocks[15].angle, 170.0f);
    EXPECT_EQ(game.blocks[8].angle, 170.0f);
    EXPECT_EQ(game.blocks[6].angle, 180.0f);
    EXPECT_EQ(game.blocks[7].angle, 180.0f);
}

TEST_F(AnimationTest, DealWaitsSeventeenUpdatesWhenFirstPickComesAfterLastPick)
{
    MatchAllButLastPair();
    ClickBlock(15);  // firstPick 15, higher than lastPickOfBoard 7
    RunFrames(5);    // the second click comes a little later, as a player's would
    ClickBlock(7);
    RunFrames(18);
    ASSERT_TRUE(game.reshufflePending);
    EXPECT_EQ(UpdatesUntilDeal(40), 17);
    EXPECT_FALSE(game.blocks[15].animating);
    // The lower group is one step behind and finishes on the new board.
    EXPECT_EQ(game.blocks[0].angle, 10.0f);
    EXPECT_TRUE(game.blocks[0].animating);
    UpdateAnimations();
    EXPECT_FALSE(game.blocks[0].animating);
}

TEST_F(AnimationTest, DealWaitsEighteenUpdatesWhenFirstPickComesBeforeLastPick)
{
    MatchAllButLastPair();
    ClickBlock(7);  // firstPick 7, lower than lastPickOfBoard 15
    RunFrames(5);
    ClickBlock(15);
    RunFrames(18);
    ASSERT_TRUE(game.reshufflePending);
    EXPECT_EQ(UpdatesUntilDeal(40), 18);
    for (const Block& block : game.blocks)
        EXPECT_FALSE(block.animating);
}

TEST_F(AnimationTest, NewGameOnAMostlyFaceDownBoardDealsAtTheNextUpdate)
{
    ClickBlock(2);
    ClickBlock(10);
    RunFrames(18);
    ClickBlock(5);  // first pick, still face down next to the matched pair
    ResetRound();
    game.newGameRequested = true;
    game.moves = 1;
    EXPECT_EQ(UpdatesUntilDeal(1), 1);
    EXPECT_EQ(game.moves, 0);
    EXPECT_EQ(game.blocks[2].angle, 170.0f);  // still turning back over the new picture
}

TEST_F(AnimationTest, BoardClearedSurvivesANewGameBeforeItsLastBlockFacesUp)
{
    MatchAllButLastPair();
    ClickBlock(15);
    ClickBlock(7);
    RunFrames(5);
    ResetRound();  // New pressed mid-turn
    game.newGameRequested = true;
    int dealtAfter = UpdatesUntilDeal(40);
    EXPECT_GT(dealtAfter, 0);
    EXPECT_TRUE(game.boardCleared);
    EXPECT_EQ(game.boardsCleared, 0);  // the new game's reset

    // Next time block 7 faces up fully, the board is turned back without a game reset.
    game.moves = 3;
    int counter = saved.gameCounter;
    ClickBlock(7);
    RunFrames(18);
    EXPECT_FALSE(game.boardCleared);
    EXPECT_TRUE(game.reshufflePending);
    EXPECT_EQ(saved.gameCounter, counter + 1);
    EXPECT_GT(UpdatesUntilDeal(40), 0);
    EXPECT_EQ(game.moves, 3);
}
