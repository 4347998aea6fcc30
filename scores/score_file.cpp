// The score file: one value or name per data line, comments ("/...") and empty lines
// skipped wherever they stand, so the file can be edited by hand.
#include "scores/scores.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "game/game_state.h"

const char* scoreFilePath = "data/Scores.txt";

// fgets limit: 254 characters and the terminator. A longer line goes on as a further line.
static constexpr int kLinePieceSize = 255;
static constexpr int kTableSize = 5;

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

// Five scores, then the five names of the same slots.
static bool ReadTable(FILE* file, int firstSlot)
{
    for (int i = 0; i < kTableSize; ++i)
        if (!ReadValue(file, &game.scoreValues[firstSlot + i]))
            return false;
    for (int i = 0; i < kTableSize; ++i)
        if (!ReadName(file, game.scoreNames[firstSlot + i]))
            return false;
    return true;
}

static void SetDefaultScores()
{
    game.gameCounter = 0;
    for (int slot = 0; slot < kScoreSlots; ++slot) {
        game.scoreValues[slot] = 0;
        std::memset(game.scoreNames[slot], 0, kScoreNameSize);
    }
}

void LoadScores()
{
    SetDefaultScores();
    FILE* file = std::fopen(scoreFilePath, "r");
    if (file) {
        // Reading stops at the end of the file; what it did not reach keeps its default.
        if (ReadValue(file, &game.gameCounter) && ReadTable(file, 0))
            ReadTable(file, kTableSize);
        std::fclose(file);
    }
    // The deal divides by the counter, so it must be at least 1; every advance adds one
    // before wrapping, so the largest int would overflow there.
    if (game.gameCounter < 1)
        game.gameCounter = 1;
    if (game.gameCounter == INT32_MAX)
        game.gameCounter = INT32_MAX - 1;
}

// Each line is formatted into a 256-byte buffer first; false on any failure to write it.
static bool PutLine(FILE* file, const char* line, int size)
{
    if (size < 0 || size >= 256)
        return false;
    return std::fwrite(line, 1, size, file) == static_cast<size_t>(size);
}

static bool WriteValue(FILE* file, int32_t value)
{
    char line[256];
    return PutLine(file, line, std::snprintf(line, sizeof line, "%i\n", value));
}

// An empty name would be an empty line and a "/" name a comment, and either would shift
// every later slot. One leading blank keeps both data lines; the reader skips it. The
// line stays within 254 characters, so it is never split in two.
static bool WriteName(FILE* file, const char* name)
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

static bool WriteTable(FILE* file, int firstSlot)
{
    for (int i = 0; i < kTableSize; ++i)
        if (!WriteValue(file, game.scoreValues[firstSlot + i]))
            return false;
    for (int i = 0; i < kTableSize; ++i)
        if (!WriteName(file, game.scoreNames[firstSlot + i]))
            return false;
    return true;
}

static bool SyncToDisk(FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

static bool WriteScoreLines(FILE* file)
{
    return WriteValue(file, game.gameCounter) && WriteTable(file, 0) &&
           WriteTable(file, kTableSize) && SyncToDisk(file);
}

bool SaveScores()
{
    // Written beside the old file and renamed over it, so a crash or a full disk never
    // leaves a half-written table behind.
    std::string tempPath = std::string(scoreFilePath) + ".tmp";
    FILE* file = std::fopen(tempPath.c_str(), "w");
    if (!file)
        return false;
    bool written = WriteScoreLines(file);
    if (std::fclose(file) != 0)
        written = false;
    std::error_code error;
    if (written)
        std::filesystem::rename(tempPath, scoreFilePath, error);
    if (!written || error) {
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}
