#include <cmath>
#include <cstring>
#include <limits>

#include "tests/unit/test_rules_fixture.h"

using StateTest = RulesTest;

TEST_F(StateTest, FreshRecordIsATimeTrialWithSoundOffAndNoRank)
{
    ExpectModeAndSound(true, 0, 5, false, 1);
    EXPECT_EQ(Clock(), "2:00");
    EXPECT_EQ(game.finalRank, -1);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_STREQ(game.fpsText, "");
    for (const Block& block : game.blocks) {
        EXPECT_EQ(block.direction, 1.0f);
        EXPECT_FALSE(block.animating);
        EXPECT_EQ(block.angle, 0.0f);
    }
    for (const MenuButton& button : game.buttons) {
        EXPECT_EQ(button.direction, 1.0f);
        EXPECT_EQ(button.depth, 0.0f);
    }
}

TEST_F(StateTest, BlockPositionsAreTheFixedGrid)
{
    const float xs[4] = {-14.0f, -7.6f, -1.2f, 5.2f};
    const float ys[4] = {9.6f, 3.2f, -3.2f, -9.6f};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const float* p = blockPositions[row * 4 + column];
            EXPECT_EQ(p[0], xs[column]) << row << "," << column;
            EXPECT_EQ(p[1], ys[row]) << row << "," << column;
            EXPECT_EQ(p[2], -50.0f);
        }
    }
}

TEST(WrapCounterTest, CorrectsByOnePeriodAtMost)
{
    EXPECT_EQ(WrapCounter(99 + 1, 99), 1);
    EXPECT_EQ(WrapCounter(0 + 1, 99), 1);
    EXPECT_EQ(WrapCounter(98 + 1, 99), 99);
    EXPECT_EQ(WrapCounter(250, 99), 151);
    EXPECT_EQ(WrapCounter(-5, 99), 94);
    EXPECT_EQ(WrapCounter(0, 99), 0);
}

TEST(ClampFloatTest, BoundsComeBackExactly)
{
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 190.0f), 180.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, -10.0f), 0.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 180.0f), 180.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 0.0f), 0.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 17.5f), 17.5f);
    volatile float tenth = 0.1f;  // keep the sum a run-time float addition
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, tenth + 0.2f), 0.3f);
}

TEST(ClampFloatTest, NanAndInfinitiesLandOnABound)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, nan), 0.0f);
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, inf), 0.3f);
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, -inf), 0.0f);
    // A negative zero is not above lo, so the exact lo comes back.
    EXPECT_FALSE(std::signbit(ClampFloat(0.0f, 1.0f, -0.0f)));
}

TEST(ToggleDirectionTest, SwapsPlusAndMinusOne)
{
    EXPECT_EQ(ToggleDirection(1.0f), -1.0f);
    EXPECT_EQ(ToggleDirection(-1.0f), 1.0f);
}
