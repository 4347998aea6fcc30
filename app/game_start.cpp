// The program's start: before any window, where the data and the scores are and what the
// command line asks; then the game in its window.
#include "app/shell.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "game/assets.h"
#include "game/game_state.h"
#include "lang/language.h"
#include "lang/translate.h"
#include "platform/data_folder.h"
#include "platform/quit_signals.h"
#include "platform/system_language.h"
#include "render/render.h"
#include "scores/scores.h"

namespace {

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

// An answer that did not reach its reader (a full disk, a closed pipe) is a failure.
int AnswerWritten(const char* what)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return 0;
    std::fprintf(stderr, "flipora: the %s could not be written: %s\n", what, std::strerror(errno));
    return 1;
}

// --help and --version answer without a window; a refused line ends with the usage.
bool AnswerCommandLine(Command command, const std::string& offending, int* exitCode)
{
    switch (command) {
    case Command::Play:
        return false;
    case Command::Help:
        PrintUsage(stdout, ScoreFileInUse());
        *exitCode = AnswerWritten("help");
        return true;
    case Command::Version:
        std::printf("%s\n", kVersionText);
        *exitCode = AnswerWritten("version");
        return true;
    case Command::Refuse:
        break;
    }
    std::fprintf(stderr, "flipora: unknown option '%s'\n", offending.c_str());
    PrintUsage(stderr, ScoreFileInUse());
    *exitCode = kUsageExitCode;
    return true;
}

}  // namespace

void ChooseLanguageAtStart()
{
    std::vector<std::string> folders = CatalogueFolders();
    std::string code = ChooseLanguage(SystemLanguages(), [&](const std::string& name) {
        return HasCatalogue(folders, name);
    });
    std::string error;
    if (!UseLanguage(code, folders, &error))
        std::fprintf(stderr, "flipora: %s; the texts stay English\n", error.c_str());
}

bool PrepareGame(int argc, char** argv, int* exitCode)
{
    OpenStandardDescriptors();
    InstallQuitHandling();
    StartDiagnostics();

    std::vector<DataFolder> tried;
    bool dataFound = LocateDataFolder(RequiredDataFiles(), &tried);
    ChooseLanguageAtStart();
    UseScoreFile(LocateScoreFile());
    std::string offending;
    *exitCode = 0;
    if (AnswerCommandLine(ParseCommandLine(argc, argv, &offending), offending, exitCode))
        return false;
    if (!dataFound)
        ReportDataFolderMissing(tried);
    return true;
}

int RunGame(int argc, char** argv, FrontEnd& frontEnd)
{
    int exitCode = 0;
    if (!PrepareGame(argc, argv, &exitCode))
        return exitCode;
    if (!OpenGameWindow(frontEnd))
        return 1;  // a failed start is a failure
    exitCode = PlayGame(frontEnd);
    CloseGameWindow(frontEnd);
    ReleaseGame();
    // A normal quit is a success, a failed save is not.
    return exitCode;
}
