#include "app/shell.h"

namespace {

uint64_t nextFrameSlot = 0;  // performance-counter time of the next allowed frame

}  // namespace

uint32_t FrameSlotDelay(uint64_t now, uint64_t frequency, uint64_t* nextSlot)
{
    uint64_t period = frequency / kFramesPerSecond;
    if (*nextSlot == 0 || now >= *nextSlot + period) {
        // First frame, or a slow frame (or a pause in drawing): start counting afresh.
        *nextSlot = now + period;
        return 0;
    }
    uint64_t due = *nextSlot;
    *nextSlot += period;
    if (now >= due)
        return 0;
    // Rounded up: sleeping a little late only shifts the frame, the schedule stays put.
    uint64_t ticks = due - now;
    return static_cast<uint32_t>((ticks * 1000 + frequency - 1) / frequency);
}

void WaitForFrameSlot()
{
    uint32_t delay = FrameSlotDelay(SDL_GetPerformanceCounter(), SDL_GetPerformanceFrequency(),
                                    &nextFrameSlot);
    if (delay > 0)
        SDL_Delay(delay);
}
