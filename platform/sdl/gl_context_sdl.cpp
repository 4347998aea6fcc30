#include "platform/gl_context.h"

#include <SDL.h>

bool GlContextIsCurrent()
{
    return SDL_GL_GetCurrentContext() != nullptr;
}
