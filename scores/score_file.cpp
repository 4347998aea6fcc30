// The score file: one value or name per data line, comments ("/...") and empty lines
// skipped wherever they stand, so the file can be edited by hand.
#include "scores/scores.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game/constants.h"
#include "game/game_state.h"
#include "game/score_table.h"

const char* scoreFilePath = "data/Scores.txt";
const char* scoreDefaultsPath = nullptr;
bool scoreFileIsPrivate = false;

// fgets limit: 254 characters and the terminator. A longer line goes on as a further line.
static constexpr int kLinePieceSize = 255;

// A line end, also the CR of a CR LF file read where text mode does not translate it.
static bool IsEmptyLine(const char* line)
{
    if (line[0] == '\n')
        return true;
    return line[0] == '\r' && (line[1] == '\n' || line[1] == '\0');
}

bool ReadDataLine(FILE* file, char buffer[256])
{
    for (;;) {
        if (!std::fgets(buffer, kLinePieceSize, file)) {
            buffer[0] = '\0';
            return false;
        }
        if (buffer[0] != '/' && !IsEmptyLine(buffer))
            return true;
    }
}

// "%i" semantics (sign, 0x hex, leading-0 octal, stops at the first misfit), but a number
// outside the int range is clamped instead of being undefined as it is for sscanf.
static bool ParseValue(const char* line, int32_t* value)
{
    char* end = nullptr;
    long long parsed = std::strtoll(line, &end, 0);
    if (end == line)
        return false;
    if (parsed > INT32_MAX)
        parsed = INT32_MAX;
    if (parsed < INT32_MIN)
        parsed = INT32_MIN;
    *value = static_cast<int32_t>(parsed);
    return true;
}

// A missing or blank value line keeps what the field held.
static bool ReadValue(FILE* file, int32_t* value)
{
    char line[256];
    if (!ReadDataLine(file, line))
        return false;
    ParseValue(line, value);
    return true;
}

// "%s ": the first word of the line. A line of blanks leaves the slot as it was.
static bool ReadName(FILE* file, char* name)
{
    char line[256];
    if (!ReadDataLine(file, line))
        return false;
    char word[256];
    if (std::sscanf(line, "%254s", word) == 1)
        std::memcpy(name, word, std::strlen(word) + 1);
    return true;
}

namespace {

// The file's content apart from comments: the counter and both tables.
struct Tables {
    int32_t counter = 0;
    int32_t values[kScoreSlots] = {};
    char names[kScoreSlots][kScoreNameSize] = {};
};

struct PlacedEntry {
    int firstSlot;  // of its table: 0 normal, 5 time trial
    int32_t score;
    char name[kScoreNameSize];
};

std::vector<PlacedEntry> unsavedEntries;
bool fileUnreadable = false;
std::string lastError;

// Five scores, then the five names of the same slots.
bool ReadTable(FILE* file, Tables* tables, int firstSlot)
{
    for (int i = 0; i < kTableSize; ++i)
        if (!ReadValue(file, &tables->values[firstSlot + i]))
            return false;
    for (int i = 0; i < kTableSize; ++i)
        if (!ReadName(file, tables->names[firstSlot + i]))
            return false;
    return true;
}

std::string ErrorText(int error)
{
    return error != 0 ? std::strerror(error) : "input/output error";
}

enum class ReadResult { Read, Missing, Failed };

// Only a missing file is "no scores yet". Anything else that keeps us from reading it is
// a failure, so that the player's table is never taken for an empty one. A FIFO or a
// device is refused before it is opened, and the open itself never waits.
ReadResult ReadScoreFile(const char* path, Tables* tables, std::string* error)
{
    *tables = Tables{};
    struct stat info {};
    if (stat(path, &info) != 0) {
        if (errno == ENOENT)
            return ReadResult::Missing;
        *error = ErrorText(errno);
        return ReadResult::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
        return ReadResult::Failed;
    }
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return ReadResult::Missing;
        *error = ErrorText(errno);
        return ReadResult::Failed;
    }
    // Swapped for something else between the two looks.
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        *error = "it is not a regular file";
        return ReadResult::Failed;
    }
    FILE* file = fdopen(fd, "r");
    if (!file) {
        *error = ErrorText(errno);
        close(fd);
        return ReadResult::Failed;
    }
    // Reading stops at the end of the file; what it did not reach keeps its default.
    errno = 0;
    if (ReadValue(file, &tables->counter) && ReadTable(file, tables, 0))
        ReadTable(file, tables, kTableSize);
    int readError = std::ferror(file) ? errno : 0;
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *tables = Tables{};
        *error = ErrorText(readError);
        return ReadResult::Failed;
    }
    return ReadResult::Read;
}

// The player's file, or while there is none the shipped default table. The shipped one
// is only ever read, so a failure there is no reason to keep the player's file unwritten:
// it counts as missing, with the defaults.
ReadResult ReadTableOrDefaults(const char* path, Tables* tables, std::string* error)
{
    ReadResult result = ReadScoreFile(path, tables, error);
    if (result != ReadResult::Missing || !scoreDefaultsPath)
        return result;
    std::string ignored;
    if (ReadScoreFile(scoreDefaultsPath, tables, &ignored) != ReadResult::Read)
        *tables = Tables{};
    return ReadResult::Missing;
}

// The game only ever writes 1..kCounterLimit. A hand-edited counter above that is taken
// modulo the limit, which agrees with one wrap just above it; one below 1 starts over at 1.
int32_t CounterInRange(int32_t counter)
{
    if (counter < 1)
        return 1;
    return (counter - 1) % kCounterLimit + 1;
}

void CopyTablesToGame(const Tables& tables)
{
    for (int slot = 0; slot < kScoreSlots; ++slot) {
        saved.scoreValues[slot] = tables.values[slot];
        std::memcpy(saved.scoreNames[slot], tables.names[slot], kScoreNameSize);
    }
}

Tables TablesFromGame()
{
    Tables tables;
    tables.counter = saved.gameCounter;
    for (int slot = 0; slot < kScoreSlots; ++slot) {
        tables.values[slot] = saved.scoreValues[slot];
        std::memcpy(tables.names[slot], saved.scoreNames[slot], kScoreNameSize);
        tables.names[slot][kScoreNameSize - 1] = '\0';
    }
    return tables;
}

// The same place the game gave it, by the same rule.
void InsertEntry(Tables* tables, const PlacedEntry& entry)
{
    int32_t rank = SlotForScore(tables->values, entry.firstSlot, entry.score);
    if (rank < 0)
        return;
    OpenScoreSlot(tables->values, tables->names, rank);
    tables->values[rank] = entry.score;
    std::memcpy(tables->names[rank], entry.name, kScoreNameSize);
}

// Each line is formatted into a 256-byte buffer first; false on any failure to write it.
bool PutLine(FILE* file, const char* line, int size)
{
    if (size < 0 || size >= 256)
        return false;
    return std::fwrite(line, 1, size, file) == static_cast<size_t>(size);
}

bool WriteValue(FILE* file, int32_t value)
{
    char line[256];
    return PutLine(file, line, std::snprintf(line, sizeof line, "%i\n", value));
}

// An empty name would be an empty line and a "/" name a comment, and either would shift
// every later slot. One leading blank keeps both data lines; the reader skips it. The
// line stays within 254 characters, so it is never split in two.
bool WriteName(FILE* file, const char* name)
{
    int length = static_cast<int>(std::strcspn(name, "\r\n"));
    if (length > kScoreNameSize - 1)
        length = kScoreNameSize - 1;
    bool needsBlank = length == 0 || name[0] == '/';
    if (needsBlank && length > kScoreNameSize - 2)
        length = kScoreNameSize - 2;
    char line[256];
    return PutLine(file, line,
                   std::snprintf(line, sizeof line, "%s%.*s\n", needsBlank ? " " : "", length, name));
}

bool WriteTable(FILE* file, const Tables& tables, int firstSlot)
{
    for (int i = 0; i < kTableSize; ++i)
        if (!WriteValue(file, tables.values[firstSlot + i]))
            return false;
    for (int i = 0; i < kTableSize; ++i)
        if (!WriteName(file, tables.names[firstSlot + i]))
            return false;
    return true;
}

bool WriteScoreLines(FILE* file, const Tables& tables)
{
    return WriteValue(file, tables.counter) && WriteTable(file, tables, 0) &&
           WriteTable(file, tables, kTableSize) && std::fflush(file) == 0 &&
           fsync(fileno(file)) == 0;
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

// The file a symlinked score file finally names, so that the link itself stays (a player
// may keep the real file in a synced folder). A link to nowhere names the file it would
// create. A loop ends after as many hops as the system allows and then fails to write.
std::string FinalTarget(const std::string& path)
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

// An exclusive lock on a file beside the score file, held for a whole read-change-write.
// Another game saves for milliseconds; one stopped in the middle of a save must not
// hang this one, so waiting gives up after a few seconds.
class FileLock {
public:
    explicit FileLock(const std::string& target)
    {
        std::string path = target + ".lock";
        fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                   0644);
        if (fd_ < 0) {
            error_ = "cannot create " + NameOf(path) + ": " + ErrorText(errno);
            return;
        }
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) ||
                std::chrono::steady_clock::now() > deadline) {
                error_ = errno == EWOULDBLOCK ? "another game keeps it locked" : ErrorText(errno);
                close(fd_);
                fd_ = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            close(fd_);  // releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }
    const std::string& Error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
};

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

// A new file created exclusively under a name of our own (a planted link or file at a
// fixed name can never be written through), written and synced, then renamed over the
// target. The caller holds the lock.
bool WriteAtomically(const std::string& target, const Tables& tables, std::string* error)
{
    struct stat info {};
    bool exists = lstat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) {
        *error = ErrorText(errno);
        return false;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        *error = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
        return false;
    }
    RemoveLeftoverTemporaries(target);

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = target + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                  scoreFileIsPrivate ? 0600 : 0644);
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
    bool written = !exists || fchmod(fd, info.st_mode & 0777) == 0;
    int writeError = written ? 0 : errno;
    FILE* file = written ? fdopen(fd, "w") : nullptr;
    if (!file) {
        if (written)
            writeError = errno;
        close(fd);
        written = false;
    } else {
        errno = 0;
        written = WriteScoreLines(file, tables);
        writeError = errno;
        if (std::fclose(file) != 0 && written) {
            written = false;
            writeError = errno;
        }
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

bool RefuseUnreadable()
{
    if (!fileUnreadable)
        return false;
    lastError = "it could not be read at start, so it is left as it is";
    return true;
}

// Every write of the file: never over one that could not be read, always through a link to
// its final target, always under the lock. `work` gets the target and sets lastError when
// it fails.
template <typename Work>
bool WithScoreFileLocked(Work work)
{
    if (RefuseUnreadable())
        return false;
    std::string target = FinalTarget(scoreFilePath);
    FileLock lock(target);
    if (!lock.Held()) {
        lastError = lock.Error();
        return false;
    }
    if (!work(target))
        return false;
    lastError.clear();
    return true;
}

}  // namespace

bool LoadScores()
{
    Tables tables;
    ReadResult result = ReadTableOrDefaults(scoreFilePath, &tables, &lastError);
    fileUnreadable = result == ReadResult::Failed;
    if (!fileUnreadable)
        lastError.clear();
    unsavedEntries.clear();
    saved.gameCounter = CounterInRange(tables.counter);
    CopyTablesToGame(tables);
    return !fileUnreadable;
}

bool ScoreFileUnreadable()
{
    return fileUnreadable;
}

const char* ScoreFileError()
{
    return lastError.c_str();
}

bool SaveScores()
{
    return WithScoreFileLocked([](const std::string& target) {
        if (!WriteAtomically(target, TablesFromGame(), &lastError))
            return false;
        unsavedEntries.clear();  // the tables written hold them
        return true;
    });
}

int UnsavedEntryCount()
{
    return static_cast<int>(unsavedEntries.size());
}

void RecordPlacedEntry(int slot)
{
    if (slot < 0 || slot >= kScoreSlots)
        return;
    PlacedEntry entry{};
    entry.firstSlot = slot < kTableSize ? 0 : kTableSize;
    entry.score = saved.scoreValues[slot];
    std::memcpy(entry.name, saved.scoreNames[slot], kScoreNameSize);
    entry.name[kScoreNameSize - 1] = '\0';
    unsavedEntries.push_back(entry);
}

bool MergeScores(bool writeOwnCounter)
{
    return WithScoreFileLocked([writeOwnCounter](const std::string& target) {
        Tables tables;
        ReadResult result = ReadTableOrDefaults(target.c_str(), &tables, &lastError);
        if (result == ReadResult::Failed)
            return false;
        tables.counter = writeOwnCounter || result == ReadResult::Missing
                             ? saved.gameCounter
                             : CounterInRange(tables.counter);
        for (const PlacedEntry& entry : unsavedEntries)
            InsertEntry(&tables, entry);
        if (!WriteAtomically(target, tables, &lastError))
            return false;
        unsavedEntries.clear();
        CopyTablesToGame(tables);
        return true;
    });
}
