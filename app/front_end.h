// The one seam between the shell and a window system: what a front end (app/sdl/,
// app/win32/, app/null/) gives the shell. It opens and closes the window with its GL
// context, turns its system's events into the neutral records below and hands each to
// HandleEvent (app/shell.h), and presents the frames. Everything else the shell needs of
// the system (ticks, the pass counter and sleeping, boxes, the click sound) is platform/'s,
// chosen when the program is linked. The sizes, limits, texts and start sequence are the
// shell's (app/game_window.cpp): a front end only carries them out.
#pragma once

#include <string>
#include <vector>

// One thing that happened to the window, in the game's own terms.
struct Event {
    enum class Kind {
        KeyDown,      // key, repeat, system
        KeyUp,        // key; every key-up, system keys' too, so that no key stays held
        MouseDown,    // left, x, y: any button; only the left one clicks
        Size,         // x, y: the drawable's new width and height in pixels
        FocusGained,
        FocusLost,
        Exposed,      // the window lost its picture: the next pass draws
        Close,        // the window's close button: a quit behind the events already queued
        Quit,         // the quit the front end queued (or the system's) was taken
        SessionEnd,   // the system ends the session: the process may end once this returns
    };
    Kind kind = Kind::Exposed;
    int key = 0;          // a Windows virtual-key number (game/constants.h); 0 for none
    bool repeat = false;  // the system's auto-repeat of a held key
    bool system = false;  // a system key (Alt held, Alt itself, F10): the window's, not the game's
    bool left = false;    // the left mouse button
    int x = 0;            // drawable pixels, from the left
    int y = 0;            // drawable pixels, from the top
};

// The display the window is to open on, as the front end finds it.
struct DisplayArea {
    double scale = 1.0;  // the desktop's stated scale: 1.0 at 96 DPI
    int workWidth = 0;   // the area windows may use (no task bar), in window units; 0 unknown
    int workHeight = 0;
};

// The window the shell asks for.
struct WindowRequest {
    const char* title = "";
    int width = 0;       // client area, in window units
    int height = 0;
    int colourBits = 16;
};

// The sizes the window keeps between. A front end whose window system does not honour them
// sizes the window back itself.
struct WindowLimits {
    int smallestWidth = 0;          // client area, in window units
    int smallestHeight = 0;
    int largestDrawableWidth = 0;   // drawable pixels
    int largestDrawableHeight = 0;
};

// A step of opening or closing the window that failed; the shell has the texts.
enum class WindowStep {
    Display,           // no window system to show a window on: no box can show either
    RegisterClass,
    CreateWindow,
    DeviceContext,
    PixelFormat,       // none at all, or one without a 16-bit depth buffer
    CreateContext,
    ActivateContext,
    ReleaseContext,    // closing: making the context no longer current
    DeleteContext,
    ReleaseDeviceContext,
    DestroyWindow,
    UnregisterClass,
};
struct WindowFailure {
    WindowStep step = WindowStep::Display;
    std::string detail;  // the system's own words, for stderr
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Connects to the window system and says what the display offers. False, with
    // *failure, when there is none.
    virtual bool OpenDisplay(DisplayArea* display, WindowFailure* failure) = 0;
    // Makes the window, hidden, with a current double-buffered GL context whose depth buffer
    // has at least 16 bits, vsync where the driver offers it. False, with *failure, when a
    // step fails; CloseWindow then releases what was made.
    virtual bool OpenWindow(const WindowRequest& request, WindowFailure* failure) = 0;
    // Once the context is current: the limits to keep the window between.
    virtual void LimitWindow(const WindowLimits& limits) = 0;
    // Shows the window in front, with the focus.
    virtual void ShowWindow() = 0;
    // The drawable's size in pixels.
    virtual void DrawableSize(int* width, int* height) = 0;
    // Releases whatever of context, window and display exists, going on past a failure;
    // the failures, in order.
    virtual std::vector<WindowFailure> CloseWindow() = 0;

    // Takes one waiting event, if any, and hands its record (if it makes one) to
    // HandleEvent. False when none was waiting.
    virtual bool DispatchOneEvent() = 0;

    // Shows the frame just drawn into the back buffer.
    virtual void Present() = 0;

    // Full screen on the window's display and back to the windowed size.
    virtual void ToggleFullScreen() = 0;

    // Queues a Quit record behind the events already waiting. False when it could not,
    // and the shell quits at once.
    virtual bool PostQuit() = 0;
};
