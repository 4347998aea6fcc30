#include "platform/offscreen.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/heap.h"

bool OpenOffscreenContext(const char* program, int width, int height)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    KeepFreedHeapForReuse();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_Window* window = SDL_CreateWindow(program, 0, 0, width, height,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window && SDL_GL_CreateContext(window))
            return true;
    }
    std::fprintf(stderr, "%s: no GL context: %s\n", program, SDL_GetError());
    return false;
}

std::vector<uint8_t> ReadBackBuffer(int width, int height)
{
    size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> bottomUp(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    for (int row = 0; row < height; ++row)
        std::copy_n(bottomUp.begin() + rowBytes * (height - 1 - row), rowBytes,
                    topDown.begin() + rowBytes * row);
    return topDown;
}
