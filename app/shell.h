// The application shell: the window and its GL context, the main loop, and the
// translation of SDL's events into the game's inputs. The only code that talks to
// SDL's video and event API.
#pragma once

#include <SDL.h>

#include <cstdint>

// The main window and its GL context; null until created, released by CloseMainWindow.
extern SDL_Window* mainWindow;
extern SDL_GLContext mainContext;

// Opens the window, makes a double-buffered GL context current and initialises the
// scene. On failure the error has been shown, everything is released and the caller
// ends the program without saving.
bool OpenMainWindow(const char* title, int width, int height, int colourBits);

// The window is capped at the largest size the GL can draw (GL_MAX_VIEWPORT_DIMS, 8192 at
// most). Without a window manager to honour that, a window made larger anyway is sized
// back here; true when it was (the view then follows the next size change).
bool ShrinkToLargestSize();

// Releases whatever of context and window exists; shows each failure and goes on.
void CloseMainWindow();

// Scores, block and button directions, textures, lists, first deal, GL state, fonts.
// False when the textures cannot be loaded.
bool InitScene();

// Quit signals (score_saving.cpp): installed first thing in main, before SDL starts. A
// signal while a box is open saves and ends the game from the watchdog.
void InstallQuitHandling();

// Once the window is open and the scores are loaded: from now on a quit saves.
// Reports an unreadable score file.
void OnGameStarted();

// Scores (score_saving.cpp). When the table lives in the player's own folder, the
// folder is made (0700) before the first save.
void MakeScoreFolderOnSave(bool make);

// At start, after the window opened: when the score file
// exists but cannot be read, says so on stderr and in a box.
void ReportUnreadableScores();

// After Enter placed a name: merges it into the file at once; a failure goes to stderr
// and the exit tries again.
void SavePlacedEntries();

// At exit, once: advances the counter and merges it and any unsaved entry into the file.
// A failure is shown on stderr and, with showBox, in a "SHUTDOWN ERROR" box. The program's exit code: 0, or 1
// when the save failed. Later calls return the same code without saving again.
int SaveScoresAtExit(bool showBox);

// One event taken from the queue, other than SDL_QUIT.
void HandleWindowEvent(const SDL_Event& event);

// F11: full screen on the window's display at the desktop's resolution, and back to
// the size the window had.
void ToggleFullScreen();

// Text follows the drawable's height, but its glyphs are rebuilt only once a resize has
// settled: a drag sends a size event per step, and each rebuild renders 192 glyphs.
inline constexpr uint32_t kTextSettleMs = 250;
struct TextResize {
    int wantedPixels = 0;    // the em the last size asks for; 0 when nothing waits
    uint32_t changedAt = 0;  // SDL ticks of the last size event
};
// A size event of the drawable at ticks now.
void NoteTextResize(TextResize* pending, int drawableHeight, uint32_t now);
// The em to rebuild at once no size event came for kTextSettleMs (then nothing waits
// any more), else 0. Unsigned differences survive the tick wrap.
int TakeSettledTextPixels(TextResize* pending, uint32_t now);

// The same for the main window, on SDL's clock: a size event, and the check of every pass.
void NoteDrawableHeight(int drawableHeight);
void RebuildTextWhenSettled();

// The Windows virtual-key number of an SDL key, 0 for keys the game has no number for.
int VirtualKeyFromSdl(SDL_Keycode key);

// The key-state checks of every pass that did not take an event: Escape, Page Down,
// R and Space.
void CheckKeys();

// Frame pacing: frames are never presented faster than this, whatever the display's
// vsync does, because the animations step once per frame.
inline constexpr int kFramesPerSecond = 60;

// Milliseconds to sleep before presenting the frame due at *nextSlot (counter units of
// frequency ticks); advances *nextSlot to the following slot. A caller that has fallen
// a whole slot behind starts a fresh schedule rather than catching up with a burst.
uint32_t FrameSlotDelay(uint64_t now, uint64_t frequency, uint64_t* nextSlot);

// Sleeps until the next 1/60 s slot.
void WaitForFrameSlot();
