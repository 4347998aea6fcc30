// A window system that goes away under the game: the X server ends (a logout, a crash)
// while the game runs. Xlib then calls its I/O error handler, whose default ends the
// process at once, so a name waiting for the lock would be lost without a word.
#pragma once

// After the window system started (so that a handler it installed, SDL's, stays next in
// line): when the display is lost, onLost runs on the main thread with the game held
// (platform/quit_signals.h), saves what is to be saved and returns the exit code; then the
// handler that was there before runs, and the process ends with onLost's code if it
// returns. Does nothing where the window system is not X.
void WatchForLostDisplay(int (*onLost)());
