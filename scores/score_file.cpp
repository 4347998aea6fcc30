// The score file: one value or name per data line, comments ("/...") and empty lines
// skipped wherever they stand, so the file can be edited by hand.
#include "scores/scores.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/constants.h"
#include "game/game_state.h"
#include "game/score_table.h"
#include "platform/score_store.h"

const char* scoreFilePath = "data/Scores.txt";
const char* scoreDefaultsPath = nullptr;
bool scoreFileIsPrivate = false;

// At most 254 characters per piece and the terminator. A longer line goes on as a further
// line.
static constexpr int kLinePieceLength = 254;

// One piece of a line, its line end kept: LF, CR LF, or a lone CR as old Mac files end
// their lines. False when nothing was left to read.
static bool ReadLinePiece(FILE* file, char buffer[256])
{
    int length = 0;
    while (length < kLinePieceLength) {
        int c = std::getc(file);
        if (c == EOF)
            break;
        buffer[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
        if (c == '\r') {
            int next = std::getc(file);
            if (next == '\n' && length < kLinePieceLength)
                buffer[length++] = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
            break;
        }
    }
    buffer[length] = '\0';
    return length > 0;
}

// A line end alone: LF, CR LF or CR.
static bool IsEmptyLine(const char* line)
{
    if (line[0] == '\n')
        return true;
    return line[0] == '\r' && (line[1] == '\n' || line[1] == '\0');
}

bool ReadDataLine(FILE* file, char buffer[256])
{
    for (;;) {
        if (!ReadLinePiece(file, buffer))
            return false;
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
bool lockBusy = false;       // the last save found the lock held by another game
bool unsharedNoted = false;  // saving without the lock was said once on stderr

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

enum class ReadResult { Read, Missing, Failed };

// Only a missing file is "no scores yet". Anything else that keeps us from reading it is
// a failure, so that the player's table is never taken for an empty one.
ReadResult ReadScoreFile(const char* path, Tables* tables, std::string* error)
{
    *tables = Tables{};
    FILE* file = nullptr;
    StoreOpen opened = OpenScoreFileForReading(path, &file, error);
    if (opened != StoreOpen::Opened)
        return opened == StoreOpen::Missing ? ReadResult::Missing : ReadResult::Failed;
    // Reading stops at the end of the file; what it did not reach keeps its default.
    errno = 0;
    if (ReadValue(file, &tables->counter) && ReadTable(file, tables, 0))
        ReadTable(file, tables, kTableSize);
    int readError = std::ferror(file) ? errno : 0;
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *tables = Tables{};
        *error = readError != 0 ? std::strerror(readError) : "input/output error";
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

void AppendValue(std::string* text, int32_t value)
{
    char line[32];
    std::snprintf(line, sizeof line, "%i\n", value);
    *text += line;
}

// An empty name would be an empty line and a "/" name a comment, and either would shift
// every later slot. One leading blank keeps both data lines; the reader skips it. The
// line stays within 254 characters, so it is never split in two.
void AppendName(std::string* text, const char* name)
{
    constexpr size_t kLongest = kScoreNameSize - 1;
    size_t length = std::min(std::strcspn(name, "\r\n"), kLongest);
    bool needsBlank = length == 0 || name[0] == '/';
    if (needsBlank)
        length = std::min(length, kLongest - 1);
    if (needsBlank)
        *text += ' ';
    text->append(name, length);
    *text += '\n';
}

void AppendTable(std::string* text, const Tables& tables, int firstSlot)
{
    for (int i = 0; i < kTableSize; ++i)
        AppendValue(text, tables.values[firstSlot + i]);
    for (int i = 0; i < kTableSize; ++i)
        AppendName(text, tables.names[firstSlot + i]);
}

// The 21 data lines: the counter, then each table's five scores and five names.
std::string ScoreFileText(const Tables& tables)
{
    std::string text;
    AppendValue(&text, tables.counter);
    AppendTable(&text, tables, 0);
    AppendTable(&text, tables, kTableSize);
    return text;
}

bool WriteTables(const std::string& target, const Tables& tables)
{
    return ReplaceScoreFile(target, ScoreFileText(tables), scoreFileIsPrivate, &lastError);
}

bool RefuseUnreadable()
{
    if (!fileUnreadable)
        return false;
    lastError = "it could not be read at start, so it is left as it is";
    return true;
}

// Every write of the file: never over one that could not be read, always through a link to
// its final target, under the lock when there can be one. `work` gets the target and sets
// lastError when it fails.
template <typename Work>
bool WithScoreFileLocked(Work work)
{
    lockBusy = false;
    if (RefuseUnreadable())
        return false;
    std::string target;
    if (!ResolveScoreFile(scoreFilePath, &target, &lastError))
        return false;
    ScoreFileLock lock(target, scoreFileIsPrivate);
    if (lock.State() == LockState::Busy) {
        lockBusy = true;
        lastError = "another game keeps it locked";
        return false;
    }
    if (lock.State() == LockState::Unshared && !unsharedNoted) {
        unsharedNoted = true;
        std::fprintf(stderr, "flipora: saving %s without the lock shared with other games (%s)\n",
                     target.c_str(), lock.Note().c_str());
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

bool ScoreFileBusy()
{
    return lockBusy;
}

bool SaveScores()
{
    return WithScoreFileLocked([](const std::string& target) {
        if (!WriteTables(target, TablesFromGame()))
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
        if (!WriteTables(target, tables))
            return false;
        unsavedEntries.clear();
        CopyTablesToGame(tables);
        return true;
    });
}
