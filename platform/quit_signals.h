// Requests from outside the window to end the game, which save and quit as a quit from the
// window does: on POSIX the signals SIGTERM, SIGINT, SIGHUP (terminal closed) and SIGQUIT
// (SIGPIPE is ignored), on Windows the console's events (posix/, win32/). No window system.
#pragma once

// Opens /dev/null on any of descriptors 0, 1 and 2 that the game was started without, so
// that no pipe, lock or score file opened later takes their place and receives what is
// written to stdout or stderr. First thing in main.
void OpenStandardDescriptors();

// Installs the handlers (before SDL starts, which then leaves them to us) and a watchdog
// thread. Call once, first thing, from the main thread. endGame saves what is to be
// saved and returns the exit code; the watchdog calls it (then ends the process) only
// while the main thread waits in a modal box or the window system, so the two never run
// the game at once. When the main thread keeps the game past 2 s after the signal, the
// watchdog ends the process without saving, and says so.
void InstallQuitSignals(int (*endGame)());

// A quit signal arrived; the main loop ends the game as if asked to quit.
bool QuitSignalled();

// Around a modal box, on the main thread: a quit signal that arrives while the box is
// open ends the game without waiting for an answer. No-ops before InstallQuitSignals.
void EnterModalBox();
void LeaveModalBox();

// Around a wait of the main thread in the window system (taking events, presenting a
// frame, opening or closing the window), which may never come back: a display that never
// answers, a stopped X server. A quit signal the loop has not taken a second later then
// lets the watchdog save and end the game itself, so a signal always ends it within about
// 2 s. Only the window system's own calls go between the two, never the game's. No-ops
// before InstallQuitSignals (and on Windows, whose console events have their own thread).
void EnterWindowSystem();
void LeaveWindowSystem();
struct WindowSystemWait {
    WindowSystemWait() { EnterWindowSystem(); }
    ~WindowSystemWait() { LeaveWindowSystem(); }
    WindowSystemWait(const WindowSystemWait&) = delete;
    WindowSystemWait& operator=(const WindowSystemWait&) = delete;
};

// For a handler the window system calls on the main thread where it may be inside a
// WindowSystemWait (the display was lost): takes the game back for the main thread, so
// that it may save, whether or not it had let go of it.
void ReclaimGameOnMainThread();
