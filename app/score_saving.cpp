// When the scores reach the file, and what the player is told when they cannot: a name
// is saved as soon as it is placed, the counter at exit. A save that fails during the game
// keeps its entries waiting and is tried again while the game runs on; a failure is shown
// at once (a held lock after a while), and a failure at exit makes the exit code 1.
#include "app/shell.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "game/game_state.h"
#include "game/score_table.h"
#include "platform/data_folder.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "platform/ticks.h"
#include "scores/scores.h"

namespace {

// Another game saves for milliseconds, so a held lock is tried again soon and is news only
// after a while; every other failure is news at once.
constexpr uint32_t kRetryMs = 250;
constexpr uint32_t kLockWaitShownMs = 5000;
// At exit the game waits for the lock, but a quit signal (a logout) must not wait long.
constexpr auto kExitLockWait = std::chrono::seconds(5);
constexpr auto kSignalledLockWait = std::chrono::seconds(1);
constexpr auto kExitRetry = std::chrono::milliseconds(10);

// The file of this run; until PrepareGame chooses, the portable folder's.
ScoreFile scoreFile = ScoreFileAt(std::string("data/") + kScoreFileName);
bool gameRunning = false;  // the window opened and the scores were loaded
bool displayLost = false;  // the exit comes because the window system went away
bool exitSaveDone = false;
int exitCode = 0;

// Entries placed but not yet in the file: tried again at most every kRetryMs.
struct PendingSave {
    bool waiting = false;
    uint32_t since = 0;    // ticks of the first try that failed
    uint32_t lastTry = 0;  // ticks of the latest try
};
PendingSave pending;
std::set<std::string> causesShown;  // each reason is shown once, until a save works again
bool noHomeShown = false;           // the names of this run cannot be kept: said once
bool unsharedShown = false;         // saved without a lock other players' games share: said once

// Without a place for the table (no home to fall back on) nothing is saved.
bool NowhereToSave()
{
    return scoreFile.path.empty();
}

bool Merge(bool writeOwnCounter, std::string* failure, bool* busy)
{
    *busy = false;
    if (MergeScores(scoreFile, writeOwnCounter))
        return true;
    *failure = ScoreFileError();
    *busy = ScoreFileBusy();
    return false;
}

std::string SaveFailureText(const std::string& failure)
{
    return "The scores could not be saved to " + ShownPath(scoreFile.path) + " (" + failure +
           ").";
}

void ShowOverGame(const std::string& text, const char* title)
{
    ShowBoxOverGame(text.c_str(), title, BoxButtons::Ok, BoxIcon::Exclamation);
}

void ReportWhenDue(const std::string& failure, bool busy, uint32_t now)
{
    if (busy && now - pending.since < kLockWaitShownMs)
        return;
    if (!causesShown.insert(failure).second)
        return;
    std::string text = SaveFailureText(failure);
    std::fprintf(stderr, "SCORE FILE ERROR: %s The game keeps trying.\n", text.c_str());
    ShowOverGame(text + "\nThe game keeps trying to save them while it runs.", "SCORE FILE ERROR");
}

// Saved, but under a lock of this player's own only: the player's own games keep each
// other's names, another player's game saving at the same moment might not.
void ReportUnsharedLock()
{
    std::string why = ScoreFileUnsharedLock();
    if (why.empty() || unsharedShown)
        return;
    unsharedShown = true;
    std::string text = "The scores are saved to " + ShownPath(scoreFile.path) +
                       " without a lock shared with other players' games (" + why +
                       ").\nIf another player's game saves at the same moment, a name may be lost.";
    std::fprintf(stderr, "SCORE FILE ERROR: %s\n", text.c_str());
    ShowOverGame(text, "SCORE FILE ERROR");
}

void TrySave(uint32_t now)
{
    pending.lastTry = now;
    std::string failure;
    bool busy = false;
    if (Merge(false, &failure, &busy)) {
        pending = PendingSave{};
        causesShown.clear();
        ReportUnsharedLock();
        return;
    }
    if (!pending.waiting) {
        pending.waiting = true;
        pending.since = now;
    }
    ReportWhenDue(failure, busy, now);
}

// The watchdog's way out while a box holds the main thread: the exit save without a box
// of its own, which would wait for an answer again. Before the game ran (a start-up error
// box is open) there is nothing to save, and the start failed.
int EndOnSignal()
{
    return gameRunning ? SaveScoresAtExit(false) : 1;
}

// The exit's save: while another game holds the lock, it is waited for a few seconds, and
// no more than one once a quit signal has come.
bool MergeAtExit(std::string* failure)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + kExitLockWait;
    bool signalSeen = false;
    for (;;) {
        bool busy = false;
        if (Merge(true, failure, &busy))
            return true;
        auto now = Clock::now();
        if ((QuitSignalled() || displayLost) && !signalSeen) {
            signalSeen = true;
            deadline = std::min(deadline, now + kSignalledLockWait);
        }
        if (!busy || now >= deadline)
            return false;
        std::this_thread::sleep_for(kExitRetry);
    }
}

}  // namespace

int OnDisplayLost()
{
    displayLost = true;
    std::fprintf(stderr, "flipora: the connection to the display was lost; %s\n",
                 gameRunning ? "saving the scores before the game ends" : "the game ends");
    if (!gameRunning)
        return 1;
    int code = SaveScoresAtExit(false);
    if (code == 0 && !NowhereToSave() && !ScoreFileUnreadable())
        std::fprintf(stderr, "flipora: the scores are saved to %s\n", ShownPath(scoreFile.path).c_str());
    return 1;
}

void InstallQuitHandling()
{
    InstallQuitSignals(EndOnSignal);
}

void UseScoreFile(const ScoreFile& file)
{
    scoreFile = file;
}

const ScoreFile& ScoreFileInUse()
{
    return scoreFile;
}

void OnGameStarted()
{
    gameRunning = true;
    ReportUnreadableScores();
}

void ReportUnreadableScores()
{
    if (!ScoreFileUnreadable())
        return;
    std::string what = "The score file " + ShownPath(scoreFile.path) + " cannot be read (" +
                       ScoreFileError() + ").";
    std::string consequence = "Scores will not be kept this session; the file is left as it is.";
    std::fprintf(stderr, "SCORE FILE ERROR: %s %s\n", what.c_str(), consequence.c_str());
    std::string text = what + "\n" + consequence;
    ShowMessageBox(text.c_str(), "SCORE FILE ERROR", BoxButtons::Ok, BoxIcon::Exclamation, true);
}

// A name was placed, and there is nowhere to keep it: said at the first, once a run.
static void ReportNowhereToSave()
{
    if (noHomeShown)
        return;
    noHomeShown = true;
    std::string text = "The scores cannot be kept: " + scoreFile.nowhere +
                       ".\nThe names placed in this game are shown until it ends, but not saved.";
    std::fprintf(stderr, "SCORE FILE ERROR: %s\n", text.c_str());
    ShowOverGame(text, "SCORE FILE ERROR");
}

void SavePlacedEntries()
{
    if (NowhereToSave() && UnsavedEntryCount() > 0)
        ReportNowhereToSave();
    // Once per placed entry: the keys typed after Enter do not try again, the passes do.
    if (NowhereToSave() || ScoreFileUnreadable() || UnsavedEntryCount() == 0 || pending.waiting)
        return;
    TrySave(GetTickCount());
}

void RetryPendingSave(uint32_t nowMs)
{
    if (!pending.waiting || nowMs - pending.lastTry < kRetryMs)
        return;
    if (UnsavedEntryCount() == 0) {
        pending = PendingSave{};
        return;
    }
    TrySave(nowMs);
}

int SaveScoresAtExit(bool showBox)
{
    if (exitSaveDone)
        return exitCode;
    exitSaveDone = true;
    if (NowhereToSave() || ScoreFileUnreadable())
        return exitCode;  // the player was told at start
    saved.gameCounter = NextGameCounter(saved.gameCounter);
    std::string failure;
    if (MergeAtExit(&failure))
        return exitCode;
    exitCode = 1;
    std::string text = SaveFailureText(failure);
    std::fprintf(stderr, "SHUTDOWN ERROR: %s\n", text.c_str());
    if (showBox)
        ShowMessageBox(text.c_str(), "SHUTDOWN ERROR", BoxButtons::Ok, BoxIcon::Information, false);
    return exitCode;
}
