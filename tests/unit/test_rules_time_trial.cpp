#include <cstring>

#include "game/frame_view.h"
#include "tests/unit/test_rules_fixture.h"

// A time trial run the way the main loop runs it: each frame ticks the clock and steps the
// animations, then the end test runs. Ticks come from the scripted clock, 17 ms a frame.
class TimeTrialTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        saved.gameCounter = 3;
        ShuffleBoard();
    }

    static void Frame()
    {
        fakeTicks += 17;
        AdvancePass(fakeTicks);
        CheckGameOver();
    }

    static void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }

    // First block (by index) of a pair not among the given blocks' pairs.
    static int BlockOfAnotherPair(std::initializer_list<int> taken)
    {
        for (int i = 0; i < kBlockCount; ++i) {
            bool free = true;
            for (int t : taken)
                free = free && game.blocks[i].pair != game.blocks[t].pair;
            if (free)
                return i;
        }
        return -1;
    }

    // Two pairs in three moves, then nothing until the clock runs out. Returns the frames
    // it took from the first click to the end.
    static int PlayTwoPairsInThreeMoves()
    {
        int a = 0;
        int b = BlockOfAnotherPair({a});
        int miss = BlockOfAnotherPair({a, b});
        int frames = 0;
        ClickBlock(a);
        ClickBlock(PartnerOf(a));
        Frames(18);
        ClickBlock(b);
        ClickBlock(miss);
        Frames(18);
        ClickBlock(PartnerOf(b));  // turns b and the miss back first
        Frames(18);
        ClickBlock(b);
        frames += 54;
        while (!game.gameOver && frames < 200 * 60) {
            Frame();
            ++frames;
        }
        return frames;
    }
};

TEST_F(TimeTrialTest, ClockRunsOutAfterTwoMinutes)
{
    int frames = PlayTwoPairsInThreeMoves();
    ASSERT_TRUE(game.gameOver);
    EXPECT_EQ(game.minutes, 0);
    EXPECT_EQ(game.secondsTens, 0);
    EXPECT_EQ(game.secondsOnes, 0);
    EXPECT_FALSE(game.clockRunning);
    // 120 steps, each a little more than a second apart (the first came with the first frame).
    EXPECT_GT(frames * 17, 119 * 1000);
    EXPECT_LT(frames * 17, 122 * 1000);
    EXPECT_EQ(game.moves, 3);
    EXPECT_EQ(game.pairsOnBoard, 2);
    EXPECT_EQ(game.finalScore, 2 * 100 + 20 / 3);
}

TEST_F(TimeTrialTest, ScoreBelowTheTableEarnsNoPlace)
{
    const int table[5] = {900, 500, 400, 300, 206};
    std::memcpy(&saved.scoreValues[5], table, sizeof table);
    saved.scoreValues[0] = 1;  // the normal table is never consulted
    PlayTwoPairsInThreeMoves();
    ASSERT_TRUE(game.gameOver);
    EXPECT_EQ(game.finalScore, 206);
    EXPECT_EQ(game.finalRank, -1);
    EXPECT_EQ(std::memcmp(&saved.scoreValues[5], table, sizeof table), 0);

    // The end holds frame after frame, also when a click restarts the clock.
    ClickBlock(5);
    Frames(120);
    EXPECT_EQ(game.finalRank, -1);
    EXPECT_EQ(game.minutes, 0);
    EXPECT_EQ(game.secondsTens, 0);
    EXPECT_EQ(game.secondsOnes, 0);
}

TEST_F(TimeTrialTest, ScoreAboveAnEntryTakesItsSlot)
{
    const int table[5] = {900, 500, 205, 100, 50};
    std::memcpy(&saved.scoreValues[5], table, sizeof table);
    PlayTwoPairsInThreeMoves();
    ASSERT_TRUE(game.gameOver);
    EXPECT_EQ(game.finalRank, 7);
}
