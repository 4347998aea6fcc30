// Where a table file lives, as one value, and the rules every table file is kept by: read
// without waiting, each save merged under a lock into the file as it is on disk, a durable
// replacement, trusted links only, and a file that could not be read never written over.
// Scores.txt (scores/scores.h) and the other boards' file (scores/board_scores.h) are both
// kept here; each brings only its lines. No SDL, no GL.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// One table file of this run, chosen once at start (platform/data_folder.h) and handed to
// every load and save of it.
struct ScoreFile {
    std::string path;          // where saves go; empty when there is nowhere to keep scores
    std::string shipped;       // read in path's place while it does not exist; never written
    bool privateFile = false;  // path lies in the player's own folder: a new file is the
                               // player's alone (0600), and a folder or file there that
                               // belongs to someone else is refused
    std::string makeBelow;     // before a save, path's missing folders below this existing
                               // one are made (0700); empty: none are made
    std::string nowhere;       // with no path: why, for the player ("there is no home folder")
};

// A file at path and nothing more: no shipped copy, not private, no folders made.
ScoreFile ScoreFileAt(const std::string& path);

// The file named `name` beside `file`, kept by the same rules: the same folder, the same
// privacy, its shipped copy beside the shipped one.
ScoreFile FileBeside(const ScoreFile& file, const char* name);

// What a session knows of one table file besides its tables.
struct TableFileState {
    bool unreadable = false;   // a load found it unreadable: this session never writes it
    bool busy = false;         // the last save failed only because another game held the lock
    std::string error;         // why the last load or save failed, a short phrase; empty after
                               // one that worked
    bool lockNoted = false;    // why a lock could not be used was said once on stderr
    std::string unshared;      // set by a save that had only a lock of the player's own: why
                               // no lock shared with other players' games could be had
};

// Reads the data lines of an opened file: comment lines ("/...") and empty lines are
// skipped wherever they stand, a line longer than 254 characters goes on as a further line,
// and LF, CR LF and a lone CR all end a line. A UTF-8 byte-order mark at the very start
// (as Windows Notepad writes) is skipped. A NUL byte in a line read makes the text damaged:
// a UTF-16 file, or no text at all.
class DataLineReader {
public:
    explicit DataLineReader(FILE* file) : file_(file) {}
    // The next data line into buffer, its line end kept; false at the end of the file.
    bool Next(char (&buffer)[256]);
    bool Damaged() const { return damaged_; }

private:
    FILE* file_;
    bool started_ = false;
    bool damaged_ = false;
};

// "%i" on a line: leading blanks, a sign, then 0x hex, 0 octal or decimal, up to the first
// character that does not fit; a number beyond the int range is clamped to it. False, and
// *value unchanged, when no number converts. *end, when given, is where the number ends.
bool ParseValue(const char* line, int32_t* value, const char** end = nullptr);

// Reads one table file's lines from an open file (or from nothing, while neither the file
// nor a shipped copy exists) into the caller's tables. False with *error when the text is
// not one this game can read (a NUL byte, a version it does not know): the file then counts
// as unreadable and is never written over.
using TableReader = std::function<bool(FILE* fileOrNull, std::string* error)>;

enum class TableRead { Read, Missing, Failed };

// Reads file.path, or file.shipped while path does not exist (a shipped copy that cannot
// be read counts as none). Missing only when path does not exist; any other reason the
// player's file cannot be read is Failed, with state->error. Marks state->unreadable on
// Failed and clears it otherwise.
TableRead LoadTableFile(const ScoreFile& file, TableFileState* state, const TableReader& read);

// One save of a table file: with path's folders made, under the lock, reads the file as it
// is now (or the shipped copy while it is missing) with read, asks write for the new text,
// and replaces the file with it. write gets how the read went (Read or Missing) and returns
// the whole text, its line ends included. False with state->error when nothing was written:
// no path, the file unreadable since the load, a foreign link, a held lock (state->busy), a
// failed read or write.
bool SaveTableFile(const ScoreFile& file, TableFileState* state, const TableReader& read,
                   const std::function<std::string(TableRead found)>& write);

// The line end the game writes: the platform's text convention (CR LF on Windows), which
// its reader takes on either system.
#ifdef _WIN32
inline constexpr const char* kLineEnd = "\r\n";
#else
inline constexpr const char* kLineEnd = "\n";
#endif

// A text whose lines end in LF, with the line ends the game writes (kLineEnd).
std::string WithSystemLineEnds(const std::string& text);
