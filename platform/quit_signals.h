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
// while the main thread waits in a modal box, so the two never run the game at once.
void InstallQuitSignals(int (*endGame)());

// A quit signal arrived; the main loop ends the game as if asked to quit.
bool QuitSignalled();

// Around a modal box, on the main thread: a quit signal that arrives while the box is
// open ends the game without waiting for an answer. No-ops before InstallQuitSignals.
void EnterModalBox();
void LeaveModalBox();
