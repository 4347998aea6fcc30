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

// HOME first, as every desktop program does; the password database when it is unset.
const char* HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry ? entry->pw_dir : nullptr;
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

ScoreFiles LocateScoreFiles()
{
    const DataFolder& folder = DataFolderInUse();
    bool writable = access(folder.path.c_str(), W_OK) == 0;
    return ChooseScoreFiles(folder, writable,
                            PlayerDataFolder(std::getenv("XDG_DATA_HOME"), HomeFolder()));
}
