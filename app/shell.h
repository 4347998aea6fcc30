// The application shell: the window and its GL context, the main loop, and the
// translation of SDL's events into the game's inputs. The only code that talks to
// SDL's video and event API.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "game/frame_view.h"
#include "game/identity.h"

// The main window and its GL context; null until created, released by CloseMainWindow.
extern SDL_Window* mainWindow;
extern SDL_GLContext mainContext;

// Opens the window, makes a double-buffered GL context current and initialises the
// scene. On failure the error has been shown, everything is released and the caller
// ends the program without saving.
bool OpenMainWindow(const char* title, int width, int height, int colourBits);

// The smallest client area, in window units: three quarters of the design (762 x 507),
// where the text is 9 pixels, the least that reads clearly (at half the design its 6-pixel
// glyphs run together).
inline constexpr int kSmallestClientWidth = kWindowWidth * 3 / 4;
inline constexpr int kSmallestClientHeight = kWindowHeight * 3 / 4;

// The window is held between that smallest size and the largest the GL can draw
// (GL_MAX_VIEWPORT_DIMS, 8192 at most). Without a window manager to honour those limits, a
// window made smaller or larger anyway is sized back here; true when it was (the view then
// follows the next size change).
bool FitToAllowedSize();

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

// Text follows the drawable's size, but its glyphs are rebuilt only once a resize has
// settled: a drag sends a size event per step, and each rebuild renders 192 glyphs.
inline constexpr uint32_t kTextSettleMs = 250;
struct TextResize {
    int wantedPixels = 0;    // the em the last size asks for; 0 when nothing waits
    uint32_t changedAt = 0;  // SDL ticks of the last size event
};
// A size event of the drawable at ticks now.
void NoteTextResize(TextResize* pending, int drawableWidth, int drawableHeight, uint32_t now);
// The em to rebuild at once no size event came for kTextSettleMs (then nothing waits
// any more), else 0. Unsigned differences survive the tick wrap.
int TakeSettledTextPixels(TextResize* pending, uint32_t now);

// The same for the main window, on SDL's clock: a size event, and the check of every pass.
void NoteDrawableSize(int drawableWidth, int drawableHeight);
void RebuildTextWhenSettled();

// The Windows virtual-key number of an SDL key, 0 for keys the game has no number for.
int VirtualKeyFromSdl(SDL_Keycode key);

// The key-state checks of every pass that did not take an event: Escape, Page Down,
// R and Space.
void CheckKeys();

// Pacing: the game advances once per 1/60 s of real time, whatever the display's vsync
// does, because the animations step once per pass. A picture is drawn and presented only
// when it differs from the one on screen.
inline constexpr int kPassesPerSecond = 60;
// When drawing is slower than a slot, the passes due are run before the next drawing, up
// to this many; a turn then still takes its 0.3 s on a slow machine or a large window.
inline constexpr int kMaxPassesPerFrame = 4;

struct PassSchedule {
    uint64_t nextSlot = 0;  // counter time the next pass is due; 0 starts afresh
};

// Milliseconds to sleep until the next pass is due; 0 when it is due, or on a fresh start.
uint32_t PassDelay(const PassSchedule& schedule, uint64_t now, uint64_t frequency);

// The passes due at `now` (counter units of frequency ticks a second): one per slot that
// has come since the last call, at most kMaxPassesPerFrame, 0 before the next slot; a
// fresh schedule starts with one. Moves the schedule on past `now`.
int TakeDuePasses(PassSchedule* schedule, uint64_t now, uint64_t frequency);

// After a time in which the game did not run (window without focus, message box open):
// the next pass comes at once and the missed slots are not made up.
void RestartSchedule(PassSchedule* schedule);

// What the window shows.
struct Screen {
    FrameView shown;
    bool current = false;  // false until the first frame and once the window lost its picture
};
extern Screen screen;
extern PassSchedule passSchedule;

// Advances the game by `due` passes. Only the last one's picture can reach the screen, so
// only it counts towards the frame rate; each earlier one runs the end-of-game test at once,
// so that the game goes exactly as it goes when every pass is drawn. Returns true when
// *view, the last picture, must be drawn and presented: it is not the one on screen.
bool AdvanceDuePasses(int due, Screen* onScreen, FrameView* view);

// The window lost its picture (exposed, resized, refocused, a box closed over it): the next
// pass draws whatever it shows.
void InvalidateScreen();
