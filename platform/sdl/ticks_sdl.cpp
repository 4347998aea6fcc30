#include "platform/ticks.h"

#include <SDL.h>

// SDL counts from its own start rather than from boot; the clock only ever takes
// differences, so the origin does not matter.
uint32_t GetTickCount()
{
    return SDL_GetTicks();
}

uint64_t PerformanceCount()
{
    return SDL_GetPerformanceCounter();
}

uint64_t PerformanceFrequency()
{
    return SDL_GetPerformanceFrequency();
}

void SleepMilliseconds(uint32_t milliseconds)
{
    SDL_Delay(milliseconds);
}
