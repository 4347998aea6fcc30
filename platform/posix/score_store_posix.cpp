// The score file on POSIX systems: open without waiting, flock beside the file, and the
// replacement by a synced temporary file renamed over the old one.
#include "platform/score_store.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrorText(int error)
{
    return error != 0 ? std::strerror(error) : "input/output error";
}

const char* NotARegularFile(const struct stat& info)
{
    return S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Temporary files of a save that was killed halfway: only ever ours, since every save
// holds the lock. Unlinking never follows a planted link.
void RemoveLeftoverTemporaries(const std::string& target)
{
    DIR* folder = opendir(FolderOf(target).c_str());
    if (!folder)
        return;
    std::string prefix = NameOf(target) + ".tmp";
    while (dirent* entry = readdir(folder)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0)
            continue;
        struct stat info {};
        if (fstatat(dirfd(folder), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))
            unlinkat(dirfd(folder), entry->d_name, 0);
    }
    closedir(folder);
}

// So that the rename itself survives a crash. Some file systems cannot sync a folder;
// the file is in place all the same.
void SyncFolder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// All of text, then to the disk; errno tells why not.
bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return fsync(fd) == 0;
}

}  // namespace

StoreOpen OpenScoreFileForReading(const char* path, FILE** file, std::string* error)
{
    *file = nullptr;
    struct stat info {};
    if (stat(path, &info) != 0) {
        if (errno == ENOENT)
            return StoreOpen::Missing;
        *error = ErrorText(errno);
        return StoreOpen::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = NotARegularFile(info);
        return StoreOpen::Failed;
    }
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return StoreOpen::Missing;
        *error = ErrorText(errno);
        return StoreOpen::Failed;
    }
    // Swapped for something else between the two looks.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        *error = "it is not a regular file";
        return StoreOpen::Failed;
    }
    *file = fdopen(fd, "r");
    if (!*file) {
        *error = ErrorText(errno);
        close(fd);
        return StoreOpen::Failed;
    }
    return StoreOpen::Opened;
}

// A loop ends after as many hops as the system allows and then fails to write.
std::string ScoreFileTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        std::vector<char> link(4096);
        ssize_t length = readlink(current.c_str(), link.data(), link.size() - 1);
        if (length <= 0)
            return current;
        std::string next(link.data(), static_cast<size_t>(length));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
    return current;
}

ScoreFileLock::ScoreFileLock(const std::string& target)
{
    std::string path = target + ".lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                  0644);
    if (fd < 0) {
        error_ = "cannot create " + NameOf(path) + ": " + ErrorText(errno);
        return;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() > deadline) {
            error_ = errno == EWOULDBLOCK ? "another game keeps it locked" : ErrorText(errno);
            close(fd);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    handle_ = fd;
    held_ = true;
}

ScoreFileLock::~ScoreFileLock()
{
    if (handle_ >= 0)
        close(static_cast<int>(handle_));  // releases the lock
}

bool ReplaceScoreFile(const std::string& target, const std::string& text, bool privateFile,
                      std::string* error)
{
    struct stat info {};
    bool exists = lstat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        *error = ErrorText(errno);
        return false;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        *error = NotARegularFile(info);
        return false;
    }
    RemoveLeftoverTemporaries(target);

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                  privateFile ? 0600 : 0644);
        if (fd < 0 && errno != EEXIST) {
            *error = ErrorText(errno);
            return false;
        }
    }
    if (fd < 0) {
        *error = "no free temporary name";
        return false;
    }
    // The player's own permissions survive; a new file gets 0644 less the umask, or 0600
    // in the player's private folder.
    errno = 0;
    bool written = (!exists || fchmod(fd, info.st_mode & 0777) == 0) && WriteAll(fd, text);
    int writeError = written ? 0 : errno;
    if (close(fd) != 0 && written) {
        written = false;
        writeError = errno;
    }
    if (written && std::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        writeError = errno;
    }
    if (!written) {
        unlink(temporary.c_str());
        *error = ErrorText(writeError);
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}
