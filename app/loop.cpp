// The one loop of the game: each pass takes one event, or advances the game at its paced
// rate and presents a frame when the picture changed (or, while the window has no focus,
// sleeps, drawing again only a picture it lost). The game, the tests and the benchmark all
// run it.
#include "app/shell.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/assets.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/data_folder.h"
#include "platform/quit_signals.h"
#include "platform/sound.h"
#include "platform/ticks.h"
#include "render/render.h"
#include "scores/scores.h"

ShellState shell;

namespace {

constexpr uint32_t kInactiveSleepMs = 100;

bool EnvironmentFlag(const char* name)
{
    const char* value = std::getenv(name);
    return value && std::strcmp(value, "1") == 0;
}

// Once, as the first frame is presented.
void ReportFirstFrame()
{
    if (shell.diagnostics.printFirstFrame && shell.framesPresented == 1) {
        auto now = std::chrono::steady_clock::now();
        auto sinceStart =
            std::chrono::duration<double, std::milli>(now - shell.diagnostics.programStart);
        auto monotonic = std::chrono::duration_cast<std::chrono::nanoseconds>(
            now.time_since_epoch());
        std::fprintf(stderr, "flipora: first frame presented %.1f ms after start (monotonic %lld ns)\n",
                     sinceStart.count(), static_cast<long long>(monotonic.count()));
    }
}

void ReportFrameRate()
{
    // Once per step, also when two seconds in a row show the same figure.
    Diagnostics& diagnostics = shell.diagnostics;
    if (diagnostics.printFrameRate && game.clockStepped &&
        game.lastSecondTicks != diagnostics.lastPrintedStep) {
        diagnostics.lastPrintedStep = game.lastSecondTicks;
        std::fprintf(stderr, "flipora: %s\n", frameRate.text);
    }
}

// The audio device can take a tenth of a second to answer, so it opens after the first
// pass that found no event waiting: the board is then on screen (or the window has no
// focus and shows nothing yet), and no click has been handled.
void OpenClickSoundOnce()
{
    if (!shell.clickSoundOpened)
        OpenClickSound(DataFilePath(ClickSoundPath().c_str()).c_str());
    shell.clickSoundOpened = true;
}

void RebuildTextWhenSettled()
{
    int pixels = TakeSettledTextPixels(&shell.textResize, GetTickCount());
    if (pixels == 0)
        return;
    SetTextPixels(pixels);
    // New glyphs draw another picture of the same view.
    InvalidateScreen();
}

void Show(FrontEnd& frontEnd, const FrameView& view)
{
    {
        // Drawing reads the view alone, and the GL asks the window system about the window
        // on the way (a stopped X server keeps it there).
        WindowSystemWait wait;
        (shell.draw ? shell.draw : DrawFrame)(view);
        frontEnd.Present();
    }
    shell.screen.shown = view;
    shell.screen.current = true;
    ++shell.framesPresented;
    ReportFirstFrame();
}

// Without the focus the game stands still, but its window still shows it: a picture lost
// meanwhile (another window moved across it, a resize) is drawn again at once, as it was
// shown, so no other window's ghost stays in it. At rest the pass only sleeps.
void RunInactivePass(FrontEnd& frontEnd)
{
    if (shell.screen.current) {
        SleepMilliseconds(kInactiveSleepMs);
        return;
    }
    Show(frontEnd, shell.framesPresented > 0 ? shell.screen.shown : ViewOfGame());
}

// The end-of-game test of a pass comes after its picture is on screen.
void RunPacedPass(FrontEnd& frontEnd)
{
    uint64_t frequency = PerformanceFrequency();
    uint32_t delay = PassDelay(shell.schedule, PerformanceCount(), frequency);
    if (delay > 0)
        SleepMilliseconds(delay);
    int due = TakeDuePasses(&shell.schedule, PerformanceCount(), frequency);
    if (due == 0)
        return;
    FrameView view;
    if (AdvanceDuePasses(due, GetTickCount(), &shell.screen, &view))
        Show(frontEnd, view);
    shell.passesRun += static_cast<uint64_t>(due);
    ReportFrameRate();
    CheckGameOver();
}

}  // namespace

void StartDiagnostics()
{
    shell.diagnostics.programStart = std::chrono::steady_clock::now();
    shell.diagnostics.printFrameRate = EnvironmentFlag("FLIPORA_DEBUG_FPS");
    shell.diagnostics.printFirstFrame = EnvironmentFlag("FLIPORA_BENCH");
}

void RunPass()
{
    RetryPendingSave(GetTickCount());
    FrontEnd& frontEnd = *shell.frontEnd;
    if (frontEnd.DispatchOneEvent())
        return;
    RebuildTextWhenSettled();
    if (shell.windowInactive)
        RunInactivePass(frontEnd);
    else
        RunPacedPass(frontEnd);
    if (shell.framesPresented > 0 || shell.windowInactive)
        OpenClickSoundOnce();
    KeepHeldClock();
}

void RunUntilQuit()
{
    while (!shell.quitRequested && !QuitSignalled())
        RunPass();
}

bool StartScene(int drawableWidth, int drawableHeight)
{
    ResizeView(drawableWidth, drawableHeight);
    LoadScores(ScoreFileInUse());
    StartFirstGame();
    if (!BuildScene())
        return false;
    // The first text is built for the size the window opened at.
    SetTextPixels(TextPixelsForSize(drawableWidth, drawableHeight));
    return true;
}

int PlayGame(FrontEnd& frontEnd)
{
    shell.frontEnd = &frontEnd;
    OnGameStarted();
    RunUntilQuit();
    if (shell.diagnostics.printFirstFrame)
        std::fprintf(stderr, "flipora: %llu frames presented in %llu passes\n",
                     static_cast<unsigned long long>(shell.framesPresented),
                     static_cast<unsigned long long>(shell.passesRun));
    return SaveScoresAtExit(true);
}

void ReleaseGame()
{
    FreeFonts();
    CloseClickSound();
}
