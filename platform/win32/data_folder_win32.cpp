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

// %APPDATA%\Flipora, the roaming folder of the player's own settings.
std::string PlayerFolder()
{
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (!appData || appData[0] == L'\0')
        return "";
    return Utf8Path(appData) + "\\Flipora";
}

}  // namespace

bool LocateDataFolder(const std::vector<std::string>& requested, std::vector<DataFolder>* tried)
{
    // No installed data folder apart from the program's own: an installed game keeps its
    // data\ beside flipora.exe, which an ordinary player cannot write.
    std::vector<DataFolder> candidates = DataFolderCandidates(ExecutableFolder(), "", "");
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
    return ChooseScoreFiles(folder, FolderWritable(folder.path), PlayerFolder());
}
