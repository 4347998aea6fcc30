// Entry and main loop: each pass takes one event, or advances the game at its paced rate
// and presents a frame when the picture changed (or sleeps while the window has no
// focus), and then looks at the four game keys.
#include "app/shell.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "game/assets.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "game/rules.h"
#include "platform/data_folder.h"
#include "platform/quit_signals.h"
#include "platform/sound.h"
#include "render/render.h"
#include "scores/scores.h"

namespace {

constexpr int kColourBits = 16;
constexpr uint32_t kInactiveSleepMs = 100;

// Diagnostics for the tests and the benchmark, off unless asked for in the environment.
bool printFrameRate = false;  // FLIPORA_DEBUG_FPS=1: fpsText to stderr at every clock step
bool printFirstFrame = false; // FLIPORA_BENCH=1: when the first frame was presented, and counts
bool firstFramePresented = false;
uint32_t lastPrintedStep = 0; // lastSecondTicks of the step printed last
uint64_t passesRun = 0;       // FLIPORA_BENCH=1: passes and presented frames, printed at exit
uint64_t framesPresented = 0;
std::chrono::steady_clock::time_point programStart;

bool EnvironmentFlag(const char* name)
{
    const char* value = std::getenv(name);
    return value && std::strcmp(value, "1") == 0;
}

void ReportFirstFrame()
{
    if (printFirstFrame && !firstFramePresented) {
        auto now = std::chrono::steady_clock::now();
        auto sinceStart = std::chrono::duration<double, std::milli>(now - programStart);
        auto monotonic = std::chrono::duration_cast<std::chrono::nanoseconds>(
            now.time_since_epoch());
        std::fprintf(stderr, "flipora: first frame presented %.1f ms after start (monotonic %lld ns)\n",
                     sinceStart.count(), static_cast<long long>(monotonic.count()));
    }
    firstFramePresented = true;
}

void ReportFrameRate()
{
    // Once per step, also when two seconds in a row show the same figure.
    if (printFrameRate && game.clockStepped && game.lastSecondTicks != lastPrintedStep) {
        lastPrintedStep = game.lastSecondTicks;
        std::fprintf(stderr, "flipora: %s\n", game.fpsText);
    }
}

// The audio device can take a tenth of a second to answer, so it opens after the first
// pass that found no event waiting: the board is then on screen (or the window has no
// focus and shows nothing yet), and no click has been handled.
void OpenClickSoundOnce()
{
    static bool opened = false;
    if (!opened)
        OpenClickSound(DataFilePath(ClickSoundPath().c_str()).c_str());
    opened = true;
}

uint64_t Now()
{
    return SDL_GetPerformanceCounter();
}

// The end-of-game test of a pass comes after its picture is on screen.
void RunPacedPass()
{
    uint64_t frequency = SDL_GetPerformanceFrequency();
    uint32_t delay = PassDelay(passSchedule, Now(), frequency);
    if (delay > 0)
        SDL_Delay(delay);
    int due = TakeDuePasses(&passSchedule, Now(), frequency);
    if (due == 0)
        return;
    FrameView view;
    if (AdvanceDuePasses(due, &screen, &view)) {
        DrawFrame(view);
        SDL_GL_SwapWindow(mainWindow);
        screen.shown = view;
        screen.current = true;
        ++framesPresented;
        ReportFirstFrame();
    }
    passesRun += due;
    ReportFrameRate();
    CheckGameOver();
}

void RunPass()
{
    SDL_Event event;
    if (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT)
            game.quitRequested = 1;
        else
            HandleWindowEvent(event);
        return;
    }
    RebuildTextWhenSettled();
    if (game.windowInactive)
        SDL_Delay(kInactiveSleepMs);
    else
        RunPacedPass();
    if (firstFramePresented || game.windowInactive)
        OpenClickSoundOnce();
    CheckKeys();
}

// Every image must be in the folder the game picks; the click sound may be missing.
std::vector<std::string> RequiredDataFiles()
{
    std::vector<std::string> files;
    for (int i = 0; i < kTextureCount; ++i)
        files.push_back(ImagePath(i));
    return files;
}

// None held the images: the load fails as it always has, and the log says where we looked.
void ReportDataFolderMissing(const std::vector<DataFolder>& tried)
{
    std::string places;
    for (const DataFolder& folder : tried)
        places += (places.empty() ? "" : ", ") + folder.path;
    std::fprintf(stderr, "flipora: no data folder holds the game's images; tried %s\n",
                 places.c_str());
}

// The score file of this run; the strings outlive every load and save.
ScoreFiles scoreFiles;

void UseScoreFiles(const ScoreFiles& files)
{
    scoreFiles = files;
    scoreFilePath = scoreFiles.save.c_str();
    scoreDefaultsPath = scoreFiles.shipped.empty() ? nullptr : scoreFiles.shipped.c_str();
    scoreFileIsPrivate = scoreFiles.playerFolder;
    MakeScoreFolderOnSave(scoreFiles.playerFolder);
}

// --help and --version answer without a window; a refused line ends with the usage.
bool AnswerCommandLine(Command command, const std::string& offending, int* exitCode)
{
    switch (command) {
    case Command::Play:
        return false;
    case Command::Help:
        PrintUsage(stdout, scoreFiles);
        *exitCode = 0;
        return true;
    case Command::Version:
        std::printf("%s\n", kVersionText);
        *exitCode = 0;
        return true;
    case Command::Refuse:
        break;
    }
    std::fprintf(stderr, "flipora: unknown option '%s'\n", offending.c_str());
    PrintUsage(stderr, scoreFiles);
    *exitCode = kUsageExitCode;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    InstallQuitHandling();
    programStart = std::chrono::steady_clock::now();
    printFrameRate = EnvironmentFlag("FLIPORA_DEBUG_FPS");
    printFirstFrame = EnvironmentFlag("FLIPORA_BENCH");

    std::vector<DataFolder> tried;
    bool dataFound = LocateDataFolder(RequiredDataFiles(), &tried);
    UseScoreFiles(LocateScoreFiles());
    std::string offending;
    int exitCode = 0;
    if (AnswerCommandLine(ParseCommandLine(argc, argv, &offending), offending, &exitCode))
        return exitCode;
    if (!dataFound)
        ReportDataFolderMissing(tried);

    if (!OpenMainWindow(kWindowTitle, kWindowWidth, kWindowHeight, kColourBits)) {
        SDL_Quit();
        return 1;  // a failed start is a failure
    }
    OnGameStarted();
    // Keys arrive as key events; text events would only fill the queue.
    SDL_StopTextInput();

    while (!game.quitRequested && !QuitSignalled())
        RunPass();

    if (printFirstFrame)
        std::fprintf(stderr, "flipora: %llu frames presented in %llu passes\n",
                     static_cast<unsigned long long>(framesPresented),
                     static_cast<unsigned long long>(passesRun));
    exitCode = SaveScoresAtExit(true);
    CloseMainWindow();
    FreeFonts();
    CloseClickSound();
    SDL_Quit();
    // A normal quit is a success, a failed save is not.
    return exitCode;
}
