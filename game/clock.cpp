#include <cstdio>

#include "game/constants.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"

namespace {

constexpr uint32_t kStepMilliseconds = 1000;

// One second off the countdown. It holds at 0:00: a negative clock would never match
// the end-of-game test again.
void CountDownOneSecond()
{
    if (ClockAtZero())
        return;
    --game.secondsOnes;
    if (game.secondsOnes < 0) {
        game.secondsOnes = 9;
        --game.secondsTens;
    }
    if (game.secondsTens < 0) {
        game.secondsTens = 5;
        --game.minutes;
    }
}

// Our tick count starts with the program, so the first frame of the run is made to step
// as it did when the count started at boot.
bool StepIsDue(uint32_t now)
{
    if (!game.clockStepped)
        return true;
    return static_cast<uint32_t>(now - game.lastSecondTicks) > kStepMilliseconds;
}

}  // namespace

void TickClock(uint32_t now, bool counted)
{
    if (counted)
        frameRate.frameCount = frameRate.frameCount + 1.0f;
    if (!StepIsDue(now))
        return;
    // The mark is the time of this step, not the last mark plus a second: lateness is
    // not made up.
    game.clockStepped = true;
    game.lastSecondTicks = now;
    if (game.clockRunning && !game.paused)
        CountDownOneSecond();
    std::snprintf(frameRate.text, sizeof frameRate.text, "FPS: %d",
                  static_cast<int>(frameRate.frameCount));
    frameRate.frameCount = 0.0f;
}
