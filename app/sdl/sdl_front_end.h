// The SDL front end: the window and its GL context, and SDL's events turned into the
// shell's handlers. The only code that talks to SDL's video and event API.
#pragma once

#include <SDL.h>

#include "app/front_end.h"

// The main window and its GL context; null until created, released by CloseMainWindow.
extern SDL_Window* mainWindow;
extern SDL_GLContext mainContext;

// Opens the window, makes a double-buffered GL context current and starts the scene.
// On failure the error has been shown, everything is released and the caller ends the
// program without saving.
bool OpenMainWindow(const char* title, int width, int height, int colourBits);

// The window is held between the smallest size (app/shell.h) and the largest the GL can
// draw (GL_MAX_VIEWPORT_DIMS, 8192 at most). Without a window manager to honour those
// limits, a window made smaller or larger anyway is sized back here; true when it was (the
// view then follows the next size change).
bool FitToAllowedSize();

// Releases whatever of context and window exists; shows each failure and goes on.
void CloseMainWindow();

// F11: full screen on the window's display at the desktop's resolution, and back to
// the size the window had.
void ToggleFullScreen();

// The Windows virtual-key number of an SDL key, 0 for keys the game has no number for.
int VirtualKeyFromSdl(SDL_Keycode key);

// One event taken from SDL's queue, handed to the shell's handler it stands for.
void DispatchSdlEvent(const SDL_Event& event);

class SdlFrontEnd : public FrontEnd {
public:
    bool DispatchOneEvent() override;
    uint64_t PerformanceCounter() override;
    uint64_t PerformanceFrequency() override;
    void Sleep(uint32_t milliseconds) override;
    void Present() override;
    bool ShowBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon) override;
    void PlayClick() override;
    void ToggleFullScreen() override;
    bool PostQuit() override;
};
