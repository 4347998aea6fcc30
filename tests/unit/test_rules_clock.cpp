#include <string>

#include "tests/unit/test_rules_fixture.h"

class ClockTest : public RulesTest {
protected:
    // The first frame of the run always steps; start every test past it, clock running.
    void StartRunningClock(uint32_t ticks)
    {
        TickClock(ticks);
        game.clockRunning = true;
    }

    void TickAt(uint32_t ticks)
    {
        TickClock(ticks);
    }
};

TEST_F(ClockTest, FirstFrameOfTheRunStepsAndReadsOneFrame)
{
    EXPECT_STREQ(frameRate.text, "");
    game.clockRunning = true;
    TickClock(250);  // our ticks start with the program, well under a second
    EXPECT_STREQ(frameRate.text, "FPS: 1");
    EXPECT_EQ(Clock(), "1:59");
    EXPECT_EQ(frameRate.frameCount, 0.0f);
    EXPECT_EQ(game.lastSecondTicks, 250u);
    TickAt(900);  // only the first frame is special
    EXPECT_EQ(Clock(), "1:59");
    EXPECT_EQ(frameRate.frameCount, 1.0f);
}

TEST_F(ClockTest, StepsBorrowAcrossDigits)
{
    StartRunningClock(1000);
    const struct {
        int m, t, o;
        const char* after;
    } cases[] = {{2, 0, 0, "1:59"}, {1, 1, 0, "1:09"}, {1, 0, 0, "0:59"}, {0, 0, 1, "0:00"},
                 {0, 3, 5, "0:34"}};
    uint32_t now = 1000;
    for (const auto& c : cases) {
        SetClock(c.m, c.t, c.o);
        now += 1001;
        TickAt(now);
        EXPECT_EQ(Clock(), c.after);
    }
}

TEST_F(ClockTest, ExactlyOneSecondIsNotEnough)
{
    StartRunningClock(5000);
    TickAt(6000);
    EXPECT_EQ(Clock(), "2:00");
    TickAt(6001);
    EXPECT_EQ(Clock(), "1:59");
    EXPECT_EQ(game.lastSecondTicks, 6001u);
}

TEST_F(ClockTest, LongGapTakesOneSecondOnly)
{
    StartRunningClock(5000);
    TickAt(15000);
    EXPECT_EQ(Clock(), "1:59");
    TickAt(15500);
    EXPECT_EQ(Clock(), "1:59");
    TickAt(16001);  // measured from the late step, not from the old mark
    EXPECT_EQ(Clock(), "1:58");
}

TEST_F(ClockTest, HoldsAtZero)
{
    StartRunningClock(1000);
    SetClock(0, 0, 1);
    TickAt(2500);
    EXPECT_EQ(Clock(), "0:00");
    TickAt(4000);
    TickAt(6000);
    EXPECT_EQ(Clock(), "0:00");
}

TEST_F(ClockTest, StandsStillWhenStoppedOrPausedButFrameRateGoesOn)
{
    StartRunningClock(1000);
    game.clockRunning = false;
    for (uint32_t t = 1100; t <= 2000; t += 100)
        TickAt(t);
    TickAt(2050);
    EXPECT_EQ(Clock(), "2:00");
    EXPECT_STREQ(frameRate.text, "FPS: 11");

    game.clockRunning = true;
    game.paused = true;
    TickAt(3100);
    EXPECT_EQ(Clock(), "2:00");
    EXPECT_STREQ(frameRate.text, "FPS: 1");
    game.paused = false;
    TickAt(4200);
    EXPECT_EQ(Clock(), "1:59");
}

TEST_F(ClockTest, TickWrapAroundKeepsTheOneSecondPace)
{
    StartRunningClock(0xFFFFFF00u);
    TickAt(0x00000100u);  // 512 ms later, across the wrap
    EXPECT_EQ(Clock(), "2:00");
    TickAt(0x000002E8u);  // exactly 1000 ms
    EXPECT_EQ(Clock(), "2:00");
    TickAt(0x000002E9u);
    EXPECT_EQ(Clock(), "1:59");
    TickAt(0x00000400u);  // and the new mark is the small number
    EXPECT_EQ(Clock(), "1:59");
    TickAt(0x000006D2u);
    EXPECT_EQ(Clock(), "1:58");
}
