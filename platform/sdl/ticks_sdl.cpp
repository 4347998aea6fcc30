#include "platform/ticks.h"

#include <SDL.h>

// SDL counts from its own start rather than from boot; the clock only ever takes
// differences, so the origin does not matter.
uint32_t GetTickCount()
{
    return SDL_GetTicks();
}
