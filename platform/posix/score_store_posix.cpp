// The score file on POSIX systems: open without waiting, flock beside the file and on its
// folder, and the replacement by a synced temporary file renamed over the old one (or, in
// a sticky folder, a write in place behind a copy of the old table).
#include "platform/score_store.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
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

bool OwnedByPlayerOrRoot(const struct stat& info)
{
    return info.st_uid == geteuid() || info.st_uid == 0;
}

// A save killed halfway leaves its temporary file; one this old is no live game's, whose
// save takes milliseconds (and which holds a lock on it all the while).
constexpr time_t kLeftoverAgeSeconds = 60;

// Beside a file written in place: a copy of the old table, "<bytes>\n" and the bytes, kept
// until the new table is whole. Empty (or gone) once it is.
std::string CopyPathOf(const std::string& target)
{
    return target + ".old";
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

// Nobody writes through a planted link; a regular file is a leftover only when it is old
// and no live game holds the lock every save takes on its temporary file.
bool IsLeftover(int folder, const char* name, const struct stat& info)
{
    if (S_ISLNK(info.st_mode))
        return true;
    if (!S_ISREG(info.st_mode) || std::time(nullptr) - info.st_mtime < kLeftoverAgeSeconds)
        return false;
    int fd = openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool free = flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
    close(fd);
    return free;
}

// Temporary files of saves killed halfway. Unlinking never follows a planted link.
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
        if (IsLeftover(dirfd(folder), entry->d_name, info))
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

// All of text from the file's start, then to the disk; errno tells why not.
bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t written = pwrite(fd, text.data() + done, text.size() - done,
                                 static_cast<off_t>(done));
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

// The copy of the old table beside target, opened at its bytes, when a save in place left
// it whole: its first line gives the bytes that follow, and exactly that many do. Only a
// copy the player, the administrator or the table's owner made counts.
FILE* OpenWholeCopy(const std::string& target, const struct stat& table)
{
    int fd = open(CopyPathOf(target).c_str(),
                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    FILE* file = nullptr;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        info.st_nlink == 1 && (OwnedByPlayerOrRoot(info) || info.st_uid == table.st_uid))
        file = fdopen(fd, "r");
    if (!file) {
        close(fd);
        return nullptr;
    }
    unsigned long long bytes = 0;
    int headerEnd = 0;
    if (std::fscanf(file, "%llu%n", &bytes, &headerEnd) == 1 && std::fgetc(file) == '\n' &&
        static_cast<unsigned long long>(info.st_size) == bytes + static_cast<unsigned>(headerEnd) + 1)
        return file;
    std::fclose(file);
    return nullptr;
}

// Empties the copy once the table it stood for is whole again. Unlinking it may be
// forbidden (a sticky folder, another player's copy); an empty copy counts as none.
bool DiscardCopy(const std::string& target, std::string* error)
{
    std::string copy = CopyPathOf(target);
    struct stat info {};
    bool empty = lstat(copy.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
    if (unlink(copy.c_str()) == 0 || errno == ENOENT || empty)
        return true;
    int fd = open(copy.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    bool emptied = fd >= 0 && ftruncate(fd, 0) == 0 && fsync(fd) == 0;
    if (fd >= 0)
        close(fd);
    if (!emptied)
        *error = "cannot remove " + NameOf(copy) + ", the copy of an earlier table: " +
                 ErrorText(errno);
    return emptied;
}

// A sticky folder forbids replacing another user's file; target itself may still be
// writable (a shared table of mode 0666). Then: the old bytes into the copy beside it, to
// the disk; the new bytes over target, cut to length, to the disk; the copy emptied.
bool WriteInPlace(const std::string& target, const std::string& text, std::string* error)
{
    int table = open(target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (table < 0) {
        *error = ErrorText(errno);
        return false;
    }
    struct stat info {};
    std::string old;
    char chunk[4096];
    ssize_t got = 0;
    bool readable = fstat(table, &info) == 0 && S_ISREG(info.st_mode);
    while (readable && (got = pread(table, chunk, sizeof chunk, static_cast<off_t>(old.size()))) > 0)
        old.append(chunk, static_cast<size_t>(got));
    if (!readable || got < 0) {
        *error = readable ? ErrorText(errno) : "it is not a regular file";
        close(table);
        return false;
    }
    std::string copyPath = CopyPathOf(target);
    int copy = open(copyPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                    0600);
    bool made = copy >= 0;
    if (!made && errno == EEXIST)
        copy = open(copyPath.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat copyInfo {};
    bool usable = copy >= 0 && fstat(copy, &copyInfo) == 0 && S_ISREG(copyInfo.st_mode) &&
                  copyInfo.st_nlink == 1;
    // Whoever may write the table may empty its copy.
    errno = 0;
    bool kept = usable && (!made || fchmod(copy, info.st_mode & 0666) == 0) &&
                ftruncate(copy, 0) == 0 &&
                WriteAll(copy, std::to_string(old.size()) + "\n" + old);
    if (!kept) {
        *error = "cannot keep a copy of the old table in " + NameOf(copyPath) + ": " +
                 (usable ? ErrorText(errno) : copy < 0 ? ErrorText(errno) : "it is not a file of ours");
        if (copy >= 0)
            close(copy);
        close(table);
        return false;
    }
    bool written = WriteAll(table, text) &&
                   ftruncate(table, static_cast<off_t>(text.size())) == 0 && fsync(table) == 0;
    int writeError = errno;
    close(table);
    if (!written) {
        close(copy);  // the copy stands for the table until a save makes it whole
        *error = ErrorText(writeError);
        return false;
    }
    bool emptied = ftruncate(copy, 0) == 0 && fsync(copy) == 0;
    close(copy);
    if (emptied)
        unlink(copyPath.c_str());  // where the folder lets us; empty, it counts as none
    return emptied || DiscardCopy(target, error);
}

// A new file in a sticky folder that others may write is theirs to write too, as the
// folder is: every player who shares it can save, though no one can replace another's file.
mode_t NewFileMode(const std::string& folder, bool privateFile)
{
    struct stat info {};
    if (privateFile || stat(folder.c_str(), &info) != 0 || !(info.st_mode & S_ISVTX))
        return 0;
    return info.st_mode & (S_IWGRP | S_IWOTH);
}

// An exclusive lock without waiting: 0, or the reason (EWOULDBLOCK when held elsewhere).
int TryLock(int fd)
{
    int locked = flock(fd, LOCK_EX | LOCK_NB);
    if (locked != 0 && errno == EINTR)
        locked = flock(fd, LOCK_EX | LOCK_NB);
    return locked == 0 ? 0 : errno;
}

// Where this player's own lock for a folder lies when no shared one can be had: the
// player's runtime folder, else the temporary folder under a name with the player's id.
std::string PerUserLockPath(const struct stat& folder)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = runtime && runtime[0] == '/' ? runtime : "/tmp";
    return base + "/flipora-" + std::to_string(geteuid()) + "-" +
           std::to_string(static_cast<unsigned long long>(folder.st_dev)) + "-" +
           std::to_string(static_cast<unsigned long long>(folder.st_ino)) + ".lock";
}

}  // namespace

StoreOpen OpenScoreFileForReading(const char* path, bool privateFile, FILE** file,
                                  std::string* error)
{
    *file = nullptr;
    std::string target;
    if (!ResolveScoreFile(path, privateFile, &target, error))
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
    // A save in place was cut short, or is under way in another game: its copy is the table.
    if ((*file = OpenWholeCopy(target, info)) != nullptr)
        return StoreOpen::Opened;
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
    // A save in place that began while we opened: its copy again.
    if (FILE* copy = OpenWholeCopy(target, info)) {
        std::fclose(*file);
        *file = copy;
    }
    return StoreOpen::Opened;
}

// A loop ends after as many hops as the system allows and then fails to write.
bool ResolveScoreFile(const std::string& path, bool privateFile, std::string* target,
                      std::string* error)
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
    if (privateFile) {
        std::string own = FolderOf(current);
        if (stat(own.c_str(), &info) == 0 && !OwnedByPlayerOrRoot(info)) {
            *error = "its folder " + own + " belongs to another user";
            return false;
        }
        if (lstat(current.c_str(), &info) == 0 && !OwnedByPlayerOrRoot(info)) {
            *error = "it belongs to another user";
            return false;
        }
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
    bool made = false;
    int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (!TrustedLink(info))
            note_ = name + " is a link made by another user";
        else
            fd = open(path.c_str(), O_RDWR | flags);
    } else {
        flags |= O_NOFOLLOW;
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | flags, mode);
        made = fd >= 0;
        if (fd < 0 && errno == EEXIST)
            fd = open(path.c_str(), O_RDWR | flags);
    }
    // Another player's lock file: flock needs no write access.
    int openError = errno;
    if (fd < 0 && note_.empty() && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = open(path.c_str(), O_RDONLY | flags);
    if (fd < 0 && note_.empty())
        note_ = "cannot open " + name + ": " + ErrorText(errno == ENOENT ? openError : errno);
    if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd);
        fd = -1;
        note_ = name + " is not a regular file";
    }
    // Exactly the score file's permissions, whatever the umask took away: whoever may write
    // the table may lock it. Only a file this game just made, and never one with another
    // name too (a hard link to some file of the player's).
    if (fd >= 0 && made && fileMode && info.st_nlink == 1 && (info.st_mode & 0777) != mode)
        fchmod(fd, mode);
    int fileLock = fd >= 0 ? TryLock(fd) : -1;
    if (fileLock == 0)
        handle_ = fd;
    else if (fd >= 0) {
        if (fileLock != EWOULDBLOCK)
            note_ = "cannot lock " + name + ": " + ErrorText(fileLock);
        close(fd);
    }

    // The folder, which every game can open: a game that cannot use the lock file still
    // shares this one with those that can.
    std::string folder = FolderOf(target);
    int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC);
    int folderLock = folderFd >= 0 ? TryLock(folderFd) : errno;
    if (folderLock == 0)
        folderHandle_ = folderFd;
    else if (folderFd >= 0)
        close(folderFd);

    if (fileLock == EWOULDBLOCK || folderLock == EWOULDBLOCK) {
        state_ = LockState::Busy;
        return;  // the destructor lets go of the other
    }
    if (handle_ >= 0 || folderHandle_ >= 0) {
        state_ = LockState::Held;
        return;
    }
    // No lock every game shares: this player's own, so that at least the player's own
    // games keep each other's names.
    note_ += (note_.empty() ? "" : "; ") + std::string("cannot lock the folder ") + folder +
             ": " + ErrorText(folderLock);
    struct stat folderInfo {};
    if (stat(folder.c_str(), &folderInfo) != 0)
        return;
    std::string own = PerUserLockPath(folderInfo);
    int ownFd = open(own.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | flags, 0600);
    if (ownFd >= 0 && (fstat(ownFd, &info) != 0 || info.st_uid != geteuid() ||
                       !S_ISREG(info.st_mode))) {
        close(ownFd);
        ownFd = -1;
    }
    int ownLock = ownFd >= 0 ? TryLock(ownFd) : -1;
    if (ownLock == 0) {
        handle_ = ownFd;
        state_ = LockState::Unshared;
    } else {
        if (ownFd >= 0)
            close(ownFd);
        state_ = ownLock == EWOULDBLOCK ? LockState::Busy : LockState::None;
    }
}

ScoreFileLock::~ScoreFileLock()
{
    if (handle_ >= 0)
        close(static_cast<int>(handle_));  // releases the lock
    if (folderHandle_ >= 0)
        close(static_cast<int>(folderHandle_));
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
    flock(fd, LOCK_EX | LOCK_NB);  // in flight: another game's clean-up leaves it alone
    // The player's own permissions survive; a new file gets 0644 less the umask, or 0600
    // in the player's private folder, and a sticky shared folder's write permissions.
    errno = 0;
    mode_t shared = exists ? 0 : NewFileMode(FolderOf(target), privateFile);
    bool written = (!exists || fchmod(fd, info.st_mode & 0777) == 0) &&
                   (shared == 0 || fchmod(fd, 0644 | shared) == 0) && WriteAll(fd, text);
    int writeError = written ? 0 : errno;
    if (written && std::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        writeError = errno;
    }
    close(fd);
    if (!written) {
        unlink(temporary.c_str());
        // Not ours to replace, but perhaps ours to write.
        if (exists && (writeError == EPERM || writeError == EACCES)) {
            std::string inPlace;
            if (WriteInPlace(target, text, &inPlace)) {
                SyncFolder(FolderOf(target));
                return true;
            }
            *error = ErrorText(writeError) + "; " + inPlace;
            return false;
        }
        *error = ErrorText(writeError);
        return false;
    }
    SyncFolder(FolderOf(target));
    return DiscardCopy(target, error);
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
