// The lost display on X11, under SDL: our I/O error handler goes in front of the one SDL's
// video start left (SDL's own, or Xlib's default), and hands on to it.
#include "platform/lost_display.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/quit_signals.h"

namespace {

int (*onLostCallback)() = nullptr;
XIOErrorHandler previousHandler = nullptr;
pid_t gamePid = 0;

int OnIoError(Display* display)
{
    // A box's child process (SDL forks one for its X11 boxes) has nothing to save.
    if (getpid() == gamePid && onLostCallback) {
        ReclaimGameOnMainThread();
        int code = onLostCallback();
        std::fflush(stderr);
        if (!previousHandler)
            _exit(code);
    }
    return previousHandler ? previousHandler(display) : 1;
}

}  // namespace

void WatchForLostDisplay(int (*onLost)())
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0)
        return;
    onLostCallback = onLost;
    gamePid = getpid();
    previousHandler = XSetIOErrorHandler(OnIoError);
}
