#include "platform/gl_context.h"

#include <windows.h>

bool GlContextIsCurrent()
{
    return wglGetCurrentContext() != nullptr;
}
