// When the scores reach the file, and what the player is told when they cannot: a name
// is saved as soon as it is placed, the counter at exit; a failure is shown and makes
// the exit code 1.
#include "app/shell.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "game/game_state.h"
#include "game/score_table.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "scores/scores.h"

namespace {

bool makeScoreFolder = false;  // the table lives in the player's folder, made on first save
bool gameRunning = false;  // the window opened and the scores were loaded
int entriesTried = 0;      // unsaved entries at the last save that failed
bool exitSaveDone = false;
int exitCode = 0;

// Without a place for the table (no home to fall back on) nothing is saved.
bool NowhereToSave()
{
    return !scoreFilePath || scoreFilePath[0] == '\0';
}

// Private, as the XDG base directory rules ask of folders made under XDG_DATA_HOME. A
// failure shows in the save that follows.
void MakeScoreFolder()
{
    if (!makeScoreFolder)
        return;
    std::string path = scoreFilePath;
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
}

bool Merge(bool writeOwnCounter)
{
    MakeScoreFolder();
    return MergeScores(writeOwnCounter);
}

std::string SaveFailureText()
{
    return std::string("The scores could not be saved to ") + scoreFilePath + " (" +
           ScoreFileError() + ").";
}

// The watchdog's way out while a box holds the main thread: the exit save without a box
// of its own, which would wait for an answer again. Before the game ran (a start-up error
// box is open) there is nothing to save, and the start failed.
int EndOnSignal()
{
    return gameRunning ? SaveScoresAtExit(false) : 1;
}

}  // namespace

void InstallQuitHandling()
{
    InstallQuitSignals(EndOnSignal);
}

void MakeScoreFolderOnSave(bool make)
{
    makeScoreFolder = make;
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
    std::string what = std::string("The score file ") + scoreFilePath + " cannot be read (" +
                       ScoreFileError() + ").";
    std::string consequence = "Scores will not be kept this session; the file is left as it is.";
    std::fprintf(stderr, "SCORE FILE ERROR: %s %s\n", what.c_str(), consequence.c_str());
    std::string text = what + "\n" + consequence;
    ShowMessageBox(text.c_str(), "SCORE FILE ERROR", BoxButtons::Ok, BoxIcon::Exclamation, true);
}

void SavePlacedEntries()
{
    // Once per placed entry: the keys typed after Enter do not try again.
    if (NowhereToSave() || ScoreFileUnreadable() || UnsavedEntryCount() <= entriesTried)
        return;
    if (Merge(false)) {
        entriesTried = 0;
        return;
    }
    // The game goes on; the entry stays unsaved and the exit tries again.
    entriesTried = UnsavedEntryCount();
    std::fprintf(stderr, "flipora: %s Trying again at exit.\n", SaveFailureText().c_str());
}

int SaveScoresAtExit(bool showBox)
{
    if (exitSaveDone)
        return exitCode;
    exitSaveDone = true;
    if (NowhereToSave() || ScoreFileUnreadable())
        return exitCode;  // the player was told at start
    saved.gameCounter = NextGameCounter(saved.gameCounter);
    if (Merge(true))
        return exitCode;
    exitCode = 1;
    std::string text = SaveFailureText();
    std::fprintf(stderr, "SHUTDOWN ERROR: %s\n", text.c_str());
    if (showBox)
        ShowMessageBox(text.c_str(), "SHUTDOWN ERROR", BoxButtons::Ok, BoxIcon::Information, false);
    return exitCode;
}
