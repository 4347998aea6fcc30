// Where the data and the scores are on Windows: the current folder's data folder, then the
// one beside flipora.exe; the scores beside the images when that folder may be written,
// else in the player's %APPDATA%\Flipora.
#include "platform/data_folder.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/wide_path.h"

namespace {

std::string ExecutableFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return "";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: a longer path than MAX_PATH
    }
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? "" : Utf8Path(path.substr(0, slash));
}

bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether a file can be made in folder: the only sure test on Windows, where the read-only
// attribute of a folder means nothing and the permissions are ACLs.
bool FolderWritable(const std::string& folder)
{
    std::wstring probe = WidePath(folder + "\\.flipora-write-test-" + std::to_string(GetCurrentProcessId()));
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Whether two paths name one folder: Windows compares names without case.
bool SameFolder(const std::string& one, const std::string& other)
{
    wchar_t first[MAX_PATH];
    wchar_t second[MAX_PATH];
    DWORD firstLength = GetFullPathNameW(WidePath(one).c_str(), MAX_PATH, first, nullptr);
    DWORD secondLength = GetFullPathNameW(WidePath(other).c_str(), MAX_PATH, second, nullptr);
    return firstLength > 0 && firstLength < MAX_PATH && secondLength > 0 &&
           secondLength < MAX_PATH &&
           CompareStringOrdinal(first, -1, second, -1, TRUE) == CSTR_EQUAL;
}

// %APPDATA%, the roaming folder of the player's own settings; empty when unset.
std::string AppDataFolder()
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    return appData ? Utf8Path(appData) : "";
}

}  // namespace

bool LocateDataFolder(const std::vector<std::string>& requested, std::vector<DataFolder>* tried)
{
    // The data folder is always beside flipora.exe. An installed copy is the one with the
    // installer's uninstaller beside it: it is never written, even where it could be (an
    // administrator, or Wine), and each player's scores go to %APPDATA%. The Start-menu
    // shortcut starts the game in its own folder, where the current folder's data\ is
    // that installed one.
    std::string executableFolder = ExecutableFolder();
    std::vector<DataFolder> candidates = DataFolderCandidates(executableFolder, "", "");
    if (candidates.size() > 1 && IsFile(executableFolder + "\\Uninstall.exe")) {
        candidates[1].installed = true;
        candidates[0].installed = SameFolder(candidates[0].path, candidates[1].path);
    }
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
    std::string appData = AppDataFolder();
    ScoreFile file = ChooseScoreFile(folder, FolderWritable(folder.path),
                                     appData.empty() ? "" : appData + "\\Flipora");
    if (file.privateFile)
        file.makeBelow = appData;  // which exists: only Flipora is made in it
    if (file.path.empty())
        file.nowhere = "APPDATA is not set";
    return file;
}

PreferencesFile LocatePreferencesFile()
{
    std::string appData = AppDataFolder();
    if (appData.empty())
        return {"", ""};
    return {appData + "\\Flipora\\Preferences.txt", appData};
}

std::vector<std::string> CatalogueFolders()
{
    return CatalogueFolderCandidates(ExecutableFolder(), "", "");
}
