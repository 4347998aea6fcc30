#include "app/shell.h"

#include "game/rules.h"

uint32_t PassDelay(const PassSchedule& schedule, uint64_t now, uint64_t frequency)
{
    if (schedule.nextSlot == 0 || now >= schedule.nextSlot)
        return 0;
    // Rounded up: waking a little late only shifts the pass, the schedule stays put.
    uint64_t ticks = schedule.nextSlot - now;
    return static_cast<uint32_t>((ticks * 1000 + frequency - 1) / frequency);
}

int TakeDuePasses(PassSchedule* schedule, uint64_t now, uint64_t frequency)
{
    uint64_t period = frequency / kPassesPerSecond;
    if (schedule->nextSlot == 0) {
        schedule->nextSlot = now + period;
        return 1;
    }
    if (now < schedule->nextSlot)
        return 0;
    // Every slot that has come counts, so the game keeps real time while drawing is slow;
    // beyond kMaxPassesPerFrame the slots are dropped rather than made up later.
    uint64_t slots = (now - schedule->nextSlot) / period + 1;
    schedule->nextSlot += slots * period;
    return slots < kMaxPassesPerFrame ? static_cast<int>(slots) : kMaxPassesPerFrame;
}

void RestartSchedule(PassSchedule* schedule)
{
    schedule->nextSlot = 0;
}

bool AdvanceDuePasses(int due, uint32_t now, Screen* onScreen, FrameView* view)
{
    for (int i = 1; i < due; ++i) {
        AdvancePass(now, false);
        CheckGameOver();
    }
    *view = AdvancePass(now, true);
    return !onScreen->current || !(*view == onScreen->shown);
}

