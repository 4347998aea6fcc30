// What a front end (app/sdl/, or one on another window system) gives the shell. It owns
// the window and its GL context, turns its platform's events into calls of the shell's
// handlers (app/shell.h), and does the few things only it can; everything the game does
// with an input, the loop and the saving live once in the shell.
#pragma once

#include <cstdint>

#include "platform/message_box.h"

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Takes one waiting event, if any, and hands it to the shell's handlers. False when
    // none was waiting.
    virtual bool DispatchOneEvent() = 0;

    // A high-resolution counter and its ticks per second, for pacing the passes.
    virtual uint64_t PerformanceCounter() = 0;
    virtual uint64_t PerformanceFrequency() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;

    // Shows the frame just drawn into the back buffer.
    virtual void Present() = 0;

    // A modal box over the game window; true for Yes or OK. Nothing of the game runs
    // while it is open.
    virtual bool ShowBox(const char* text, const char* title, BoxButtons buttons,
                         BoxIcon icon) = 0;

    // Starts the click from its beginning, cutting off one still playing.
    virtual void PlayClick() = 0;

    // Full screen on the window's display and back to the windowed size.
    virtual void ToggleFullScreen() = 0;

    // A close request: the game quits once the events queued before it are handled. The
    // front end then calls OnQuit. False when it could not queue that, and the shell
    // quits at once.
    virtual bool PostQuit() = 0;
};
