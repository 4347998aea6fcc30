#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/data_folder.h"

namespace {

// Where the executable lies, resolved through links; empty when the system will not say.
std::string ExecutableFolder()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return "";
    std::string folder = base;
    SDL_free(base);
    return folder;
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// HOME first, as every desktop program does, when it is usable; else the password database.
std::string HomeFolder()
{
    const passwd* entry = getpwuid(getuid());
    return ChooseHomeFolder(std::getenv("HOME"), entry ? entry->pw_dir : nullptr, IsFolder);
}

}  // namespace

bool LocateDataFolder(const std::vector<std::string>& requested, std::vector<DataFolder>* tried)
{
    std::vector<DataFolder> candidates =
        DataFolderCandidates(ExecutableFolder(), FLIPORA_DATA_FROM_BIN, FLIPORA_INSTALLED_DATA_DIR);
    const DataFolder* found = FindDataFolder(candidates, requested, IsFile);
    if (tried)
        *tried = candidates;
    if (!found)
        return false;
    UseDataFolder(*found);
    return true;
}

ScoreFile LocateScoreFile()
{
    const DataFolder& folder = DataFolderInUse();
    bool writable = access(folder.path.c_str(), W_OK) == 0;
    std::string home = HomeFolder();
    std::string playerFolder = PlayerDataFolder(std::getenv("XDG_DATA_HOME"), home.c_str());
    ScoreFile file = ChooseScoreFile(folder, writable, playerFolder);
    if (file.privateFile)
        file.makeBelow = PlayerFolderBase(playerFolder, home);
    if (file.path.empty()) {
        const char* variable = std::getenv("HOME");
        file.nowhere = NoHomeReason(variable, variable && IsFolder(variable));
    }
    return file;
}

PreferencesFile LocatePreferencesFile()
{
    return ChoosePreferencesFile(std::getenv("XDG_CONFIG_HOME"), HomeFolder());
}

std::vector<std::string> CatalogueFolders()
{
    return CatalogueFolderCandidates(ExecutableFolder(), FLIPORA_LOCALE_FROM_BIN,
                                     FLIPORA_INSTALLED_LOCALE_DIR);
}
