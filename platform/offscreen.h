// Drawing the game without a display, for the GL tests, the snapshot tool and the
// benchmark: SDL's offscreen driver gives a hidden window with a double-buffered GL context
// and a 16-bit depth buffer, and the frame drawn into its back buffer is read back here.
// The game's own window is app/window.cpp; nothing it ships links this.
#pragma once

#include <cstdint>
#include <vector>

// Starts SDL's video on the offscreen driver (unless SDL_VIDEODRIVER already names one)
// and makes a width x height context current. When any step fails, says why on stderr
// after the program's name and returns false. One context per process; SDL_Quit releases
// it with the window.
bool OpenOffscreenContext(const char* program, int width, int height);

// The back buffer of the context, width x height RGB bytes, top row first (GL's rows run
// bottom up). Call after glFinish.
std::vector<uint8_t> ReadBackBuffer(int width, int height);
