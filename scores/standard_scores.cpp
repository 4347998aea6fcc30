// Scores.txt: one value or name per data line, comments ("/...") and empty lines skipped
// wherever they stand, so the file can be edited by hand. Kept by the rules of
// score_file.h; this file brings the lines and the merge of a session's entries.
#include "scores/scores.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "game/constants.h"
#include "game/game_state.h"
#include "game/score_table.h"

// A missing or blank value line keeps what the field held.
static bool ReadValue(DataLineReader& lines, int32_t* value)
{
    char line[256];
    if (!lines.Next(line))
        return false;
    ParseValue(line, value);
    return true;
}

// "%s ": the first word of the line. A line of blanks leaves the slot as it was.
static bool ReadName(DataLineReader& lines, char* name)
{
    char line[256];
    if (!lines.Next(line))
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
TableFileState fileState;

// The data lines in the file's order. Reading stops at the end of the file; what it did
// not reach keeps its default, and lines after the 21st data line are never read.
bool ReadTables(FILE* file, Tables* tables, std::string* error)
{
    *tables = Tables{};
    if (!file)
        return true;
    DataLineReader lines(file);
    for (const ScoreFileLine& line : kScoreFileLines) {
        bool more = line.holds == ScoreLine::Name ? ReadName(lines, tables->names[line.slot])
                    : line.holds == ScoreLine::Score ? ReadValue(lines, &tables->values[line.slot])
                                                     : ReadValue(lines, &tables->counter);
        if (!more)
            break;
    }
    if (lines.Damaged()) {
        *tables = Tables{};
        *error = "it is not plain text: it holds NUL bytes, as a file saved as UTF-16 does";
        return false;
    }
    return true;
}

TableReader ReaderInto(Tables* tables)
{
    return [tables](FILE* file, std::string* error) { return ReadTables(file, tables, error); };
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
    std::snprintf(line, sizeof line, "%i", value);
    *text += line;
    *text += kLineEnd;
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
    *text += kLineEnd;
}

// The 21 data lines, in the file's order.
std::string ScoreFileText(const Tables& tables)
{
    std::string text;
    for (const ScoreFileLine& line : kScoreFileLines) {
        if (line.holds == ScoreLine::Name)
            AppendName(&text, tables.names[line.slot]);
        else
            AppendValue(&text, line.holds == ScoreLine::Score ? tables.values[line.slot]
                                                              : tables.counter);
    }
    return text;
}

}  // namespace

bool LoadScores(const ScoreFile& file)
{
    Tables tables;
    LoadTableFile(file, &fileState, ReaderInto(&tables));
    unsavedEntries.clear();
    saved.gameCounter = CounterInRange(tables.counter);
    CopyTablesToGame(tables);
    return !fileState.unreadable;
}

bool ScoreFileUnreadable()
{
    return fileState.unreadable;
}

const char* ScoreFileError()
{
    return fileState.error.c_str();
}

const char* ScoreFileUnsharedLock()
{
    return fileState.unshared.c_str();
}

bool ScoreFileBusy()
{
    return fileState.busy;
}

bool SaveScores(const ScoreFile& file)
{
    Tables ignored;
    bool written = SaveTableFile(file, &fileState, ReaderInto(&ignored),
                                 [](TableRead) { return ScoreFileText(TablesFromGame()); });
    if (written)
        unsavedEntries.clear();  // the tables written hold them
    return written;
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

bool MergeScores(const ScoreFile& file, bool writeOwnCounter)
{
    Tables tables;
    bool written = SaveTableFile(file, &fileState, ReaderInto(&tables), [&](TableRead found) {
        tables.counter = writeOwnCounter || found == TableRead::Missing
                             ? saved.gameCounter
                             : CounterInRange(tables.counter);
        for (const PlacedEntry& entry : unsavedEntries)
            InsertEntry(&tables, entry);
        return ScoreFileText(tables);
    });
    if (!written)
        return false;
    unsavedEntries.clear();
    CopyTablesToGame(tables);
    return true;
}
