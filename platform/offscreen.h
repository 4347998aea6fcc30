// Drawing the game without a display, for the GL tests, the snapshot tool and the
// benchmark: a hidden double-buffered GL context with a 16-bit depth buffer (sdl/: SDL's
// offscreen driver), and the frame drawn into its back buffer read back. The game's own
// window is its front end's; nothing it ships links this.
#pragma once

#include <cstdint>
#include <vector>

// Makes a width x height context current (on SDL: the offscreen driver, unless
// SDL_VIDEODRIVER already names one). When any step fails, says why on stderr after the
// program's name and returns false. One context per process, released at exit (SDL_Quit).
bool OpenOffscreenContext(const char* program, int width, int height);

// The back buffer of the context, width x height RGB bytes, top row first (GL's rows run
// bottom up). Call after glFinish.
std::vector<uint8_t> ReadBackBuffer(int width, int height);
