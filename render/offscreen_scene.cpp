#include "render/offscreen_scene.h"

#include <cstdio>

#include "platform/offscreen.h"
#include "render/render.h"

bool StartOffscreenScene(const char* program, int width, int height)
{
    if (!OpenOffscreenContext(program, width, height))
        return false;
    if (!BuildScene()) {
        std::fprintf(stderr, "%s: the images in data/ did not load\n", program);
        return false;
    }
    ResizeView(width, height);
    SetTextPixels(TextPixelsForSize(width, height));
    return true;
}
