// The score file on Windows: opened so that it never blocks another game's replacement, a
// LockFileEx lock beside it, and the replacement by a flushed temporary file moved over the
// old one. The bytes are written as the score file's format made them (CR LF line ends).
#include "platform/score_store.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <functional>


#include "platform/win32/wide_path.h"

namespace {

// The system's message as a short phrase, like strerror's: "Access denied".
std::string ErrorText(DWORD error)
{
    char buffer[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  error, 0, buffer,
                                  sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.' ||
                             text.back() == ' '))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(error) : text;
}

bool NotFound(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Temporary files of a save that was killed halfway: only ever ours, since every save
// holds the lock.
void RemoveLeftoverTemporaries(const std::string& target)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(WidePath(target + ".tmp*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    std::wstring folder = WidePath(FolderOf(target) + "\\");
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// All of text, then to the disk.
bool WriteAll(HANDLE file, const std::string& text, DWORD* error)
{
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(text.size() - done);
        if (!WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) {
            *error = GetLastError();
            return false;
        }
        done += written;
    }
    if (!FlushFileBuffers(file)) {
        *error = GetLastError();
        return false;
    }
    return true;
}

}  // namespace

StoreOpen OpenScoreFileForReading(const char* path, bool /*privateFile*/, FILE** file,
                                  std::string* error)
{
    *file = nullptr;
    // Shared for writing and deleting too: a reader never stops another game's save.
    HANDLE handle = CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD failure = GetLastError();
        if (NotFound(failure))
            return StoreOpen::Missing;
        *error = ErrorText(failure);
        return StoreOpen::Failed;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info) || GetFileType(handle) != FILE_TYPE_DISK ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "it is a folder"
                                                                  : "it is not a regular file";
        CloseHandle(handle);
        return StoreOpen::Failed;
    }
    // Binary: CR LF and LF files read alike, the reader drops the CR itself.
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        *error = "cannot read it";
        return StoreOpen::Failed;
    }
    *file = _fdopen(fd, "rb");
    if (!*file) {
        _close(fd);
        *error = "cannot read it";
        return StoreOpen::Failed;
    }
    return StoreOpen::Opened;
}

// Links are rare on Windows and MoveFileExW replaces the link itself; the path is the file.
bool ResolveScoreFile(const std::string& path, bool /*privateFile*/, std::string* target,
                      std::string* /*error*/)
{
    *target = path;
    return true;
}

// One try, never waiting: Held, Busy, or why the file could not be locked.
LockState LockFile(const std::string& path, HANDLE* held, std::string* note)
{
    size_t slash = path.find_last_of("/\\");
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *note = "cannot open " + name + ": " + ErrorText(GetLastError());
        return LockState::None;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        DWORD failure = GetLastError();
        *note = "cannot lock " + name + ": " + ErrorText(failure);
        CloseHandle(file);
        return failure == ERROR_LOCK_VIOLATION ? LockState::Busy : LockState::None;
    }
    *held = file;
    return LockState::Held;
}

// When the lock file cannot be used: one of the player's own in %TEMP%, named after the
// score file, so that at least the player's own games keep each other's names.
ScoreFileLock::ScoreFileLock(const std::string& target, bool /*privateFile*/)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    state_ = LockFile(target + ".lock", &file, &note_);
    const wchar_t* temporary = _wgetenv(L"TEMP");
    if (state_ == LockState::None && temporary) {
        std::string own = Utf8Path(temporary) + "\\flipora-" +
                          std::to_string(std::hash<std::string>{}(target)) + ".lock";
        std::string ignored;
        LockState ownState = LockFile(own, &file, &ignored);
        state_ = ownState == LockState::Held ? LockState::Unshared : ownState;
    }
    if (file != INVALID_HANDLE_VALUE)
        handle_ = reinterpret_cast<intptr_t>(file);
}

ScoreFileLock::~ScoreFileLock()
{
    if (handle_ == -1)
        return;
    HANDLE file = reinterpret_cast<HANDLE>(handle_);
    OVERLAPPED whole{};
    UnlockFileEx(file, 0, 1, 0, &whole);
    CloseHandle(file);
}

bool ReplaceScoreFile(const std::string& target, const std::string& text, bool /*privateFile*/,
                      std::string* error)
{
    // The player's folder under %APPDATA% is the player's own already; a new file takes the
    // folder's permissions there as anywhere.
    std::wstring wideTarget = WidePath(target);
    DWORD attributes = GetFileAttributesW(wideTarget.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES && !NotFound(GetLastError())) {
        *error = ErrorText(GetLastError());
        return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = "it is a folder";
        return false;
    }
    RemoveLeftoverTemporaries(target);

    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temporary = WidePath(target + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(attempt));
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            *error = ErrorText(GetLastError());
            return false;
        }
    }
    if (file == INVALID_HANDLE_VALUE) {
        *error = "no free temporary name";
        return false;
    }
    DWORD failure = 0;
    bool written = WriteAll(file, text, &failure);
    if (!CloseHandle(file) && written) {
        written = false;
        failure = GetLastError();
    }
    if (written && !MoveFileExW(temporary.c_str(), wideTarget.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        written = false;
        failure = GetLastError();
    }
    if (!written) {
        DeleteFileW(temporary.c_str());
        *error = ErrorText(failure);
        return false;
    }
    return true;
}

bool MakeFoldersBelow(const std::string& base, const std::string& folder, std::string* error)
{
    DWORD attributes = GetFileAttributesW(WidePath(base).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *error = "the folder " + base + " cannot be used";
        return false;
    }
    bool below = folder.size() > base.size() && folder.compare(0, base.size(), base) == 0 &&
                 (folder[base.size()] == '\\' || folder[base.size()] == '/');
    if (!below)
        return true;  // nothing of ours to make
    for (size_t slash = folder.find_first_of("/\\", base.size() + 1);;
         slash = folder.find_first_of("/\\", slash + 1)) {
        std::string step = folder.substr(0, slash);
        if (!CreateDirectoryW(WidePath(step).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            *error = "cannot create the folder " + step + ": " + ErrorText(GetLastError());
            return false;
        }
        if (slash == std::string::npos)
            return true;
    }
}
