// The picture of a pass: which moment of the pass each part of it comes from, and that
// parts a frame does not draw never tell two pictures apart.
#include <algorithm>
#include <cstring>

#include "game/frame_view.h"
#include "tests/unit/test_rules_fixture.h"

using FrameViewTest = RulesTest;

TEST_F(FrameViewTest, ThePassShowsTheClockBeforeItsStepAndTheFrameRateAfter)
{
    game.clockRunning = true;
    fakeTicks = 5000;
    FrameView first = AdvancePass(fakeTicks);
    EXPECT_EQ(first.minutes * 100 + first.secondsTens * 10 + first.secondsOnes, 200);
    EXPECT_STREQ(first.fpsText, "FPS: 1");
    EXPECT_EQ(game.minutes * 100 + game.secondsTens * 10 + game.secondsOnes, 159);
    fakeTicks += 17;
    FrameView second = AdvancePass(fakeTicks);
    EXPECT_EQ(second.minutes * 100 + second.secondsTens * 10 + second.secondsOnes, 159);
    EXPECT_STREQ(second.fpsText, "FPS: 1");
}

TEST_F(FrameViewTest, BlocksShowTheirAngleBeforeTheStep)
{
    ClickBlock(4);
    FrameView view = AdvancePass(fakeTicks);
    EXPECT_EQ(view.blockAngles[4], 0.0f);
    EXPECT_EQ(game.blocks[4].angle, 10.0f);
    EXPECT_EQ(AdvancePass(fakeTicks).blockAngles[4], 10.0f);
}

TEST_F(FrameViewTest, PassesSkippedToCatchUpAreNotCounted)
{
    AdvancePass(fakeTicks);
    for (int i = 0; i < 30; ++i) {
        fakeTicks += 17;
        AdvancePass(fakeTicks, i % 3 == 0);
    }
    fakeTicks = 1100;
    EXPECT_STREQ(AdvancePass(fakeTicks).fpsText, "FPS: 11");
}

TEST_F(FrameViewTest, ABannerStartsInvisibleAndGameOverOutranksThePause)
{
    game.paused = true;
    for (int i = 0; i < 22; ++i) {
        FrameView view = AdvancePass(fakeTicks);
        EXPECT_TRUE(view.paused);
        EXPECT_FLOAT_EQ(view.bannerAlpha, std::min(1.0f, 0.05f * static_cast<float>(i))) << "pass " << i;
    }
    game.gameOver = true;
    FrameView over = AdvancePass(fakeTicks);
    EXPECT_TRUE(over.gameOver);
    EXPECT_FALSE(over.paused);
    EXPECT_EQ(over.bannerAlpha, 0.0f);
    EXPECT_EQ(game.pausedAlpha, 1.0f);
}

// The game-over lines are read after the animation steps: the deal that starts a new game
// takes them off in the same pass, while the board still shows its angles before the steps.
TEST_F(FrameViewTest, ADealThatStartsANewGameEndsTheGameOverPictureInItsPass)
{
    game.gameOver = true;
    game.finalScore = 420;
    game.newGameRequested = true;
    game.reshufflePending = true;
    game.blocks[3].angle = 10.0f;
    game.blocks[3].animating = true;
    game.blocks[3].direction = -1.0f;
    FrameView view = AdvancePass(fakeTicks);
    EXPECT_FALSE(view.gameOver);
    EXPECT_EQ(view.finalScore, 0);
    EXPECT_EQ(view.blockAngles[3], 10.0f);
    EXPECT_FALSE(game.reshufflePending);
}

TEST_F(FrameViewTest, PartsTheFrameDoesNotDrawStayOutOfThePicture)
{
    std::strcpy(saved.scoreNames[5], "Ann");
    saved.scoreValues[5] = 300;
    FrameView table = ViewOfGame();
    EXPECT_STREQ(table.tableNames[0], "Ann");
    game.helpShown = true;
    FrameView help = ViewOfGame();
    EXPECT_EQ(help.tableNames[0][0], '\0');
    EXPECT_EQ(help.tableValues[0], 0);

    // Counters of the other mode, and bytes after a terminator, change nothing drawn.
    FrameView before = ViewOfGame();
    game.moves = 7;
    std::strcpy(game.nameBuffer, "ab");
    game.nameBuffer[5] = 'x';
    EXPECT_TRUE(ViewOfGame() == before);
    game.gameOver = true;
    game.finalRank = 6;
    FrameView ranked = ViewOfGame();
    EXPECT_STREQ(ranked.typedName, "ab");
    EXPECT_EQ(ranked.typedName[5], '\0');
    EXPECT_EQ(ranked.rankPlace, 1);
    game.secondsOnes = 9;
    EXPECT_FALSE(ViewOfGame() == ranked) << "the time-trial clock is drawn";
}

// The keyboard's ring is part of the picture: moving it must draw a board at rest again,
// and hiding it gives back the picture without it.
TEST_F(FrameViewTest, TheHighlightIsPartOfThePicture)
{
    FrameView plain = ViewOfGame();
    EXPECT_EQ(plain.highlight, kNameNothing);
    MoveHighlight(Arrow::Down);
    FrameView ringed = ViewOfGame();
    EXPECT_EQ(ringed.highlight, kNameFirstBlock);
    EXPECT_FALSE(ringed == plain);
    MoveHighlight(Arrow::Right);
    EXPECT_FALSE(ViewOfGame() == ringed);
    HideHighlight();
    EXPECT_TRUE(ViewOfGame() == plain);
}
