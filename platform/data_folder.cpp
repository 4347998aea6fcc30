#include "platform/data_folder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "scores/scores.h"

namespace {

const char* const kCurrentFolder = "data";

DataFolder folderInUse = {kCurrentFolder, false};

// The path inside the data folder: "Vexo.bmp" of "Data/Vexo.bmp", "de/New.bmp" of
// "data/de/New.bmp" (a language's own pictures).
std::string InsideFolder(const std::string& path)
{
    size_t slash = path.find('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Windows hands out folders with backslashes (the executable's, %APPDATA%); a file in one
// is joined the same way, so every path the player may see reads as Windows writes it.
char Separator(const std::string& folder)
{
#ifdef _WIN32
    if (folder.find('\\') != std::string::npos)
        return '\\';
#endif
    (void)folder;
    return '/';
}

std::string Join(const std::string& folder, std::string name)
{
    char separator = Separator(folder);
    std::replace(name.begin(), name.end(), '/', separator);
    if (!folder.empty() && (folder.back() == '/' || folder.back() == separator))
        return folder + name;
    return folder + separator + name;
}

void AddCandidate(std::vector<DataFolder>& candidates, const std::string& path, bool installed)
{
    for (const DataFolder& known : candidates)
        if (known.path == path)
            return;
    candidates.push_back({path, installed});
}

}  // namespace

std::vector<DataFolder> DataFolderCandidates(const std::string& executableFolder,
                                             const std::string& installedFromBin,
                                             const std::string& installedFolder)
{
    std::vector<DataFolder> candidates = {{kCurrentFolder, false}};
    if (!executableFolder.empty()) {
        AddCandidate(candidates, Join(executableFolder, "data"), false);
        // The executable's folder is resolved through links, so "bin/.." is its prefix.
        std::filesystem::path installed = Join(executableFolder, installedFromBin);
        if (!installedFromBin.empty())
            AddCandidate(candidates, installed.lexically_normal().generic_string(), true);
    }
    if (!installedFolder.empty())
        AddCandidate(candidates, installedFolder, true);
    return candidates;
}

std::vector<std::string> CatalogueFolderCandidates(const std::string& executableFolder,
                                                   const std::string& installedFromBin,
                                                   const std::string& installedFolder)
{
    std::vector<std::string> folders;
    auto add = [&](const std::string& folder) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    if (!executableFolder.empty()) {
        add(Join(executableFolder, "locale"));
        std::filesystem::path installed = Join(executableFolder, installedFromBin);
        if (!installedFromBin.empty())
            add(installed.lexically_normal().generic_string());
    }
    if (!installedFolder.empty())
        add(installedFolder);
    return folders;
}

std::vector<std::string> DataFileSpellings(const DataFolder& folder, const std::string& requested)
{
    if (folder.path != kCurrentFolder)
        return {Join(folder.path, InsideFolder(requested))};
    std::string lowerCase = Join(kCurrentFolder, InsideFolder(requested));
    if (lowerCase == requested)
        return {requested};
    return {requested, lowerCase};
}

const DataFolder* FindDataFolder(const std::vector<DataFolder>& candidates,
                                 const std::vector<std::string>& requested,
                                 const std::function<bool(const std::string&)>& exists)
{
    auto holds = [&](const DataFolder& folder, const std::string& file) {
        std::vector<std::string> spellings = DataFileSpellings(folder, file);
        return std::any_of(spellings.begin(), spellings.end(), exists);
    };
    for (const DataFolder& folder : candidates) {
        bool holdsAll = std::all_of(requested.begin(), requested.end(),
                                    [&](const std::string& file) { return holds(folder, file); });
        if (holdsAll)
            return &folder;
    }
    return nullptr;
}

std::string PlayerDataFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && xdgDataHome[0] == '/')
        return Join(xdgDataHome, "flipora");
    if (home && home[0] != '\0')
        return Join(home, ".local/share/flipora");
    return "";
}

std::string ChooseHomeFolder(const char* homeVariable, const char* passwordHome,
                             const std::function<bool(const std::string&)>& isFolder)
{
    if (homeVariable && homeVariable[0] == '/' && isFolder(homeVariable))
        return homeVariable;
    return passwordHome ? passwordHome : "";
}

std::string NoHomeReason(const char* homeVariable, bool homeIsFolder)
{
    std::string home = homeVariable ? homeVariable : "";
    std::string wrong = !homeVariable || home.empty() ? "HOME is not set"
                        : home[0] != '/'            ? "HOME (" + home + ") is not an absolute path"
                        : !homeIsFolder             ? "HOME (" + home + ") is not a folder"
                                                    : "";
    return "there is no home folder" + (wrong.empty() ? "" : ": " + wrong) +
           " and the password database has none for this user";
}

std::string PlayerFolderBase(const std::string& playerFolder, const std::string& home)
{
    std::string below = home.empty() || home.back() == '/' ? home : home + "/";
    if (!home.empty() && playerFolder.compare(0, below.size(), below) == 0)
        return home;
    return "/";
}

ScoreFile ChooseScoreFile(const DataFolder& folder, bool folderWritable,
                          const std::string& playerFolder)
{
    ScoreFile file;
    std::string beside = Join(folder.path, kScoreFileName);
    if (!folder.installed && folderWritable) {
        file.path = beside;
        return file;
    }
    // No home at all: nowhere to save, but a shipped table still shows.
    file.shipped = beside;
    if (!playerFolder.empty()) {
        file.path = Join(playerFolder, kScoreFileName);
        file.privateFile = true;
    }
    return file;
}

std::string ScoreFileToRead(const ScoreFile& file,
                            const std::function<bool(const std::string&)>& exists)
{
    if (!file.path.empty() && exists(file.path))
        return file.path;
    if (!file.shipped.empty() && exists(file.shipped))
        return file.shipped;
    return "";
}

PreferencesFile ChoosePreferencesFile(const char* xdgConfigHome, const std::string& home)
{
    std::string folder;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        folder = Join(xdgConfigHome, "flipora");
    else if (!home.empty())
        folder = Join(home, ".config/flipora");
    else
        return {"", ""};
    return {Join(folder, "Preferences.txt"), PlayerFolderBase(folder, home)};
}

void UseDataFolder(const DataFolder& folder)
{
    folderInUse = folder;
}

const DataFolder& DataFolderInUse()
{
    return folderInUse;
}

std::string DataFilePath(const char* requested)
{
    return DataFileSpellings(folderInUse, requested).front();
}

std::string ShownPathFrom(const std::string& path, const std::string& currentFolder,
                          char separator)
{
    bool backslashes = separator == '\\';
    auto separates = [&](char c) { return c == '/' || (backslashes && c == '\\'); };
    bool fromRoot = !path.empty() && separates(path[0]);
    bool fromDrive = backslashes && path.size() >= 2 && path[1] == ':' &&
                     std::isalpha(static_cast<unsigned char>(path[0]));
    std::string whole = path;
    if (!fromRoot && !fromDrive && !currentFolder.empty())
        whole = separates(currentFolder.back()) ? currentFolder + path
                                                : currentFolder + separator + path;
    // The leading separators stay as many as they are (a network path has two).
    size_t at = 0;
    std::string shown;
    for (; at < whole.size() && separates(whole[at]); ++at)
        shown += separator;
    std::string part;
    auto endPart = [&] {
        if (!part.empty() && part != ".") {
            if (!shown.empty() && !separates(shown.back()))
                shown += separator;
            shown += part;
        }
        part.clear();
    };
    for (; at < whole.size(); ++at) {
        if (separates(whole[at]))
            endPart();
        else
            part += whole[at];
    }
    endPart();
    return shown;
}

std::string ShownPath(const std::string& path)
{
    // In UTF-8 on every system, as the game keeps its paths.
    std::error_code error;
    std::u8string current = std::filesystem::current_path(error).u8string();
    return ShownPathFrom(path, error ? "" : std::string(current.begin(), current.end()),
                         static_cast<char>(std::filesystem::path::preferred_separator));
}
