// The application shell: the start sequence and the window's life, what the game does with
// each event, the pass loop, saving at placement and at exit, and the command line, written
// once for every front end. A front end (app/front_end.h) only carries out the window and
// turns its system's events into records for HandleEvent. Nothing here includes a window
// system's headers.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "app/front_end.h"
#include "game/frame_view.h"
#include "game/identity.h"
#include "scores/score_file.h"
#include "platform/message_box.h"

inline constexpr int kColourBits = 16;
// The smallest client area, in window units: three quarters of the design (762 x 507),
// where the text is 9 pixels, the least that reads clearly (at half the design its 6-pixel
// glyphs run together).
inline constexpr int kSmallestClientWidth = kWindowWidth * 3 / 4;
inline constexpr int kSmallestClientHeight = kWindowHeight * 3 / 4;
// The largest drawable side: beyond it a software renderer freezes (16384 square took
// 2.1 GB) or crashes, and no display needs more. A GL with a smaller viewport limit keeps
// its own.
inline constexpr int kLargestDrawableSide = 8192;

// The whole program on a front end: prepares the game, opens the window, plays until a quit
// and closes it. Returns the program's exit code: 0, 1 for a failed start or a failed save
// of the scores, or the command line's own (--help, --version, a refused argument).
int RunGame(int argc, char** argv, FrontEnd& frontEnd);

// --- The start sequence, in RunGame's order (app/game_start.cpp, app/game_window.cpp). ---
// Before any window: quit handling, the data folder, the score file and the command
// line. False when the program ends here, with *exitCode (--help, --version, a refused
// argument).
bool PrepareGame(int argc, char** argv, int* exitCode);

// The language the system asks for, where the game has a catalogue for it (else English):
// its texts from now on, its letters and pictures when the scene is built.
void ChooseLanguageAtStart();

// The client area the window opens with on a display: the design's size at the display's
// scale, made smaller (in the same proportions, down to the smallest size) where the
// display's work area is known and would not hold it.
void WindowSizeFor(const DisplayArea& display, int* width, int* height);

// The limits of a window whose GL draws a viewport of at most maxViewport pixels a side
// (GL_MAX_VIEWPORT_DIMS; 0 when the GL does not say).
WindowLimits WindowLimitsFor(const int maxViewport[2]);

// Opens the window on the front end and starts the scene in it. On failure what failed
// has been shown, everything is released, and the program ends with 1 without saving.
bool OpenGameWindow(FrontEnd& frontEnd);
// Closes it, showing each failure ("SHUTDOWN ERROR") and going on.
void CloseGameWindow(FrontEnd& frontEnd);

// The loop's diagnostics, asked for in the environment: FLIPORA_DEBUG_FPS=1 prints the
// frame-rate figure at every clock step, FLIPORA_BENCH=1 the first frame's time and the
// counts at exit. PrepareGame starts them; so does a program that runs the loop itself.
void StartDiagnostics();

// Once the front end made its GL context current: the view at the drawable's size, the
// scores, the first deal, textures, lists and fonts. False when the textures cannot be
// loaded.
bool StartScene(int drawableWidth, int drawableHeight);

// The game, from the window's opening to the quit: reports an unreadable score file, runs
// the passes and saves at exit. Returns the program's exit code (0, or 1 when the save
// failed). The window is then closed and ReleaseGame called.
int PlayGame(FrontEnd& frontEnd);
void ReleaseGame();

// --- Events: each front end hands its system's events here as records. ---
// What the game does with one. Until PlayGame runs, the window is still being made and
// the records are the opening's own: false, nothing done, and the front end treats the
// event as its system's default would.
bool HandleEvent(const Event& event);

// A box over the game window: nothing of the game ran while it was open, and it may have
// covered the window, so the game goes on from now and the picture is drawn again.
// True for Yes or OK.
bool ShowBoxOverGame(const char* text, const char* title, BoxButtons buttons, BoxIcon icon);

// --- The loop. ---
// One pass: one event, or (none waiting) the paced advances, a draw and present when the
// picture changed, the end-of-game test and the held R; while the window has no focus it
// sleeps instead of advancing, and draws only a picture the window lost, as it was shown.
void RunPass();
// Passes until a quit (the game's, the window's or a signal).
void RunUntilQuit();

// Quit signals (score_saving.cpp): installed first thing, before the window system
// starts. A signal while a box is open saves and ends the game from the watchdog.
void InstallQuitHandling();

// The display went away under the game (the X server ended): says so on stderr and saves
// as a quit signal's exit does, waiting no more than a second for a held lock. Returns the
// exit code: 1, the game did not end as asked.
int OnDisplayLost();

// Once the window is open and the scores are loaded: from now on a quit saves.
// Reports an unreadable score file.
void OnGameStarted();

// Scores (score_saving.cpp): the score file of this run, chosen once at start. Every load
// and save of it is handed this one value.
void UseScoreFile(const ScoreFile& file);
const ScoreFile& ScoreFileInUse();

// At start, after the window opened: when the score file
// exists but cannot be read, says so on stderr and in a box.
void ReportUnreadableScores();

// After Enter placed a name: merges it into the file at once, without waiting for the
// lock. When that fails the entry waits and RetryPendingSave tries again; a failure other
// than a held lock is shown at once in a box, a lock held for 5 s then, each reason once.
void SavePlacedEntries();

// Once per pass, with the rules' ticks: another try of a waiting save, at most every 250 ms.
void RetryPendingSave(uint32_t nowMs);

// At exit, once: advances the counter and merges it and any unsaved entry into the file,
// waiting up to 5 s for a held lock, and no more than 1 s once a quit signal came.
// A failure is shown on stderr and, with showBox, in a "SHUTDOWN ERROR" box. The program's exit code: 0, or 1
// when the save failed. Later calls return the same code without saving again.
int SaveScoresAtExit(bool showBox);

// Text follows the drawable's size, but its glyphs are rebuilt only once a resize has
// settled: a drag sends a size event per step, and each rebuild renders 192 glyphs.
inline constexpr uint32_t kTextSettleMs = 250;
struct TextResize {
    int wantedPixels = 0;    // the em the last size asks for; 0 when nothing waits
    uint32_t changedAt = 0;  // ticks of the last size event
};
// A size event of the drawable at ticks now.
void NoteTextResize(TextResize* pending, int drawableWidth, int drawableHeight, uint32_t now);
// The em to rebuild at once no size event came for kTextSettleMs (then nothing waits
// any more), else 0. Unsigned differences survive the tick wrap.
int TakeSettledTextPixels(TextResize* pending, uint32_t now);

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

// Advances the game by `due` passes at ticks `now`. Only the last one's picture can reach
// the screen, so only it counts towards the frame rate; each earlier one runs the
// end-of-game test at once, so that the game goes exactly as it goes when every pass is
// drawn. Returns true when *view, the last picture, must be drawn and presented: it is not
// the one on screen.
bool AdvanceDuePasses(int due, uint32_t now, Screen* onScreen, FrameView* view);

// The loop's diagnostics, off unless asked for in the environment (StartDiagnostics).
struct Diagnostics {
    bool printFrameRate = false;   // FLIPORA_DEBUG_FPS=1: the frame rate at every clock step
    bool printFirstFrame = false;  // FLIPORA_BENCH=1: when the first frame came, and counts
    uint32_t lastPrintedStep = 0;  // lastSecondTicks of the step printed last
    std::chrono::steady_clock::time_point programStart;
};

// The shell's own state: what the input and the loop keep between events and passes.
struct ShellState {
    FrontEnd* frontEnd = nullptr; // the window's events, frames and keys; PlayGame sets it
    bool quitRequested = false;
    bool windowInactive = false;  // no focus: the game stands still
    Screen screen;
    PassSchedule schedule;
    TextResize textResize;        // a drawable size whose text is not built yet
    // Draws a view into the back buffer; the tests without a GL context count instead.
    void (*draw)(const FrameView& view) = nullptr;
    uint64_t passesRun = 0;       // for the benchmark's counts at exit
    uint64_t framesPresented = 0;
    bool clickSoundOpened = false; // the audio device, opened once the first frame is shown
    Diagnostics diagnostics;
};
extern ShellState shell;

// The window lost its picture (exposed, resized, refocused, a box closed over it): the next
// pass draws whatever it shows.
void InvalidateScreen();
