// bare_window paced|events|textured: the yardstick the benchmark measures the game
// against. A window and GL context opened exactly as the game opens its own (same hints,
// pixel format, hidden creation, vsync, show and raise), which then does nothing but clear:
// `paced` clears and swaps 60 times a second, `events` only after an event and at the
// start. `textured` is `events` that also draws one mipmapped texture over the window: the
// least any textured picture costs, since a software GL compiles its first shaders then.
// It prints the moment its first frame is presented as the game does.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "game/identity.h"

namespace {

constexpr int kPerSecond = 60;

bool textured = false;

// A 256 x 256 checker, mipmapped as the game's pictures are.
void MakeTexture()
{
    std::vector<unsigned char> texels(256 * 256 * 3);
    for (size_t i = 0; i < texels.size(); ++i)
        texels[i] = static_cast<unsigned char>((((i / 3) % 256 / 32 + (i / 3) / 256 / 32) % 2) * 255);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 256, 256, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glEnable(GL_TEXTURE_2D);
}

void ClearAndSwap(SDL_Window* window)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (textured) {
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(-1, -1);
        glTexCoord2f(1, 0);
        glVertex2f(1, -1);
        glTexCoord2f(1, 1);
        glVertex2f(1, 1);
        glTexCoord2f(0, 1);
        glVertex2f(-1, 1);
        glEnd();
    }
    SDL_GL_SwapWindow(window);
}

void ReportFirstFrame(std::chrono::steady_clock::time_point start)
{
    auto now = std::chrono::steady_clock::now();
    auto sinceStart = std::chrono::duration<double, std::milli>(now - start);
    auto monotonic = std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch());
    std::fprintf(stderr, "bare_window: first frame presented %.1f ms after start (monotonic %lld ns)\n",
                 sinceStart.count(), static_cast<long long>(monotonic.count()));
}

SDL_Window* OpenLikeTheGame()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("bare window", 0, 0, kWindowWidth, kWindowHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
    if (!window || !SDL_GL_CreateContext(window))
        return nullptr;
    SDL_GL_SetSwapInterval(1);
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    glClearColor(0.0f, 0.27f, 0.3f, 0.0f);
    return window;
}

void RunPaced(SDL_Window* window)
{
    uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t next = SDL_GetPerformanceCounter();
    for (;;) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT)
                return;
        }
        next += frequency / kPerSecond;
        uint64_t now = SDL_GetPerformanceCounter();
        if (next > now)
            SDL_Delay(static_cast<uint32_t>((next - now) * 1000 / frequency));
        else
            next = now;
        ClearAndSwap(window);
    }
}

void RunOnEvents(SDL_Window* window)
{
    SDL_Event event;
    while (SDL_WaitEvent(&event)) {
        if (event.type == SDL_QUIT)
            return;
        ClearAndSwap(window);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    auto start = std::chrono::steady_clock::now();
    bool paced = argc > 1 && std::strcmp(argv[1], "paced") == 0;
    textured = argc > 1 && std::strcmp(argv[1], "textured") == 0;
    bool onEvents = textured || (argc > 1 && std::strcmp(argv[1], "events") == 0);
    if (!paced && !onEvents) {
        std::fprintf(stderr, "usage: bare_window paced|events|textured\n");
        return 2;
    }
    SDL_Window* window = OpenLikeTheGame();
    if (!window) {
        std::fprintf(stderr, "bare_window: %s\n", SDL_GetError());
        return 1;
    }
    if (textured)
        MakeTexture();
    ClearAndSwap(window);
    ReportFirstFrame(start);
    if (paced)
        RunPaced(window);
    else
        RunOnEvents(window);
    SDL_Quit();
    return 0;
}
