// The score file on POSIX systems: open without waiting, flock beside the file, and the
// replacement by a synced temporary file renamed over the old one.
#include "platform/score_store.h"

#include <cerrno>
#include <cstring>
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

// The rule of the kernel's protected symlinks in sticky folders: a link is trusted when the
// player or the administrator made it.
bool TrustedLink(const struct stat& link)
{
    return link.st_uid == geteuid() || link.st_uid == 0;
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
    std::string target;
    if (!ResolveScoreFile(path, &target, error))
        return StoreOpen::Failed;
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return StoreOpen::Missing;
        *error = ErrorText(errno);
        return StoreOpen::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = NotARegularFile(info);
        return StoreOpen::Failed;
    }
    // No further link: one swapped in since the look above is refused, not followed.
    int fd = open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW);
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
bool ResolveScoreFile(const std::string& path, std::string* target, std::string* error)
{
    struct stat info {};
    std::string folder = FolderOf(path);
    if (lstat(folder.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && !TrustedLink(info)) {
        *error = "its folder " + folder + " is a link made by another user";
        return false;
    }
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        if (!TrustedLink(info)) {
            *error = current == path ? "it is a link made by another user"
                                     : current + " is a link made by another user";
            return false;
        }
        std::vector<char> link(4096);
        ssize_t length = readlink(current.c_str(), link.data(), link.size() - 1);
        if (length <= 0)
            break;
        std::string next(link.data(), static_cast<size_t>(length));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
    *target = current;
    return true;
}

ScoreFileLock::ScoreFileLock(const std::string& target, bool privateFile)
{
    std::string path = target + ".lock";
    std::string name = NameOf(path);
    struct stat info {};
    mode_t mode = privateFile ? 0600 : 0644;  // less the umask, as a new score file gets
    bool fileMode = stat(target.c_str(), &info) == 0;
    if (fileMode)
        mode = info.st_mode & 0777;

    // The player's own link is followed, but never to create a file where it points.
    int fd = -1;
    int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (!TrustedLink(info)) {
            note_ = name + " is a link made by another user";
            return;
        }
        fd = open(path.c_str(), O_RDWR | flags);
    } else {
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | flags, mode);
        flags |= O_NOFOLLOW;
    }
    // Another player's lock file: flock needs no write access.
    int openError = errno;
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = open(path.c_str(), O_RDONLY | flags);
    if (fd < 0) {
        note_ = "cannot open " + name + ": " + ErrorText(errno == ENOENT ? openError : errno);
        return;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        note_ = name + " is not a regular file";
        return;
    }
    // Exactly the score file's permissions, whatever the umask took away when it was made:
    // whoever may write the table may lock it.
    if (fileMode && info.st_uid == geteuid() && (info.st_mode & 0777) != mode)
        fchmod(fd, mode);
    int locked = flock(fd, LOCK_EX | LOCK_NB);
    if (locked != 0 && errno == EINTR)
        locked = flock(fd, LOCK_EX | LOCK_NB);
    if (locked != 0) {
        bool busy = errno == EWOULDBLOCK;
        note_ = "cannot lock " + name + ": " + ErrorText(errno);
        close(fd);
        state_ = busy ? LockState::Busy : LockState::Unshared;
        return;
    }
    handle_ = fd;
    state_ = LockState::Held;
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

bool MakeFoldersBelow(const std::string& base, const std::string& folder, std::string* error)
{
    struct stat info {};
    if (stat(base.c_str(), &info) != 0) {
        *error = "the home folder " + base + " cannot be used: " + ErrorText(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *error = "the home folder " + base + " is not a folder";
        return false;
    }
    bool below = folder.size() > base.size() && folder.compare(0, base.size(), base) == 0 &&
                 (folder[base.size()] == '/' || base.back() == '/');
    if (!below)
        return true;  // nothing of ours to make
    for (size_t slash = folder.find('/', base.size() + 1); ; slash = folder.find('/', slash + 1)) {
        std::string step = folder.substr(0, slash);
        if (step.size() > base.size() && mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) {
            *error = "cannot create the folder " + step + ": " + ErrorText(errno);
            return false;
        }
        if (slash == std::string::npos)
            return true;
    }
}
