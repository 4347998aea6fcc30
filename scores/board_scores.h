// The other boards' tables: for each board size but the standard 4 x 4 (whose tables are
// Scores.txt's and stay there), a normal and a time-trial table of five, in a second file
// beside Scores.txt. It is kept by the same rules (scores/score_file.h): read without
// waiting, each save merged under the lock into the file as it is on disk, a durable
// replacement, trusted links only, per-user and shared folders, and a file that could not be
// read never written over. Its first line says its version; a version this game does not
// know makes the file unreadable, so a newer game's file is left as it is. No SDL, no GL.
//
// How a game uses it: at start BoardScoreKeeper::Load(FileBeside(scoreFile,
// kBoardScoresFileName)); the tables to show are Tables() (FindBoard for one size); when a
// name is placed on such a board, Record() then Merge() at once; Merge() again at exit, and
// while entries wait (Unsaved() > 0) a failed merge is tried again as Scores.txt's is.
// State() says why a load or merge failed, in the same words as Scores.txt's.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "scores/score_file.h"

// The file, as one description: its name, its first line (the heading and the version) and
// the words that name the two tables of a board. The reader, the writer and the end-to-end
// tests' helpers (tests/e2e/flipora_e2e.py reads them from here) follow it.
//
//   Flipora board scores 1
//   3x4 normal
//   1000 ann            five lines: the score, a blank and the name (none when empty)
//   ...
//   3x4 time-trial
//   ...
//
// Comment lines ("/...") and empty lines are skipped wherever they stand after the first
// line, as in Scores.txt; a name is read as its first word.
inline constexpr const char* kBoardScoresFileName = "BoardScores.txt";
inline constexpr const char* kBoardScoresHeading = "Flipora board scores";
inline constexpr int kBoardScoresVersion = 1;
inline constexpr const char* kBoardTableWords[2] = {"normal", "time-trial"};  // slots 0, 5

// What the file may hold: sides of 1..16 blocks and at most 64 boards; anything beyond is
// ignored when read, so a damaged file never grows without bound.
inline constexpr int32_t kLargestBoardSide = 16;
inline constexpr size_t kMostBoards = 64;

// One board's two tables, slot for slot as Scores.txt's (game/score_table.h ranks them):
// slots 0..4 normal, 5..9 time trial, best first; an empty slot is score 0 with no name.
struct BoardTables {
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t values[kScoreSlots] = {};
    char names[kScoreSlots][kScoreNameSize] = {};
};

// Every board the file holds, ordered by columns, then rows.
struct BoardScores {
    std::vector<BoardTables> boards;
};

// The board's tables, or null while it has none.
const BoardTables* FindBoard(const BoardScores& scores, int32_t columns, int32_t rows);

// Places score and name in the table starting at firstSlot (0 normal, 5 time trial) of the
// board, made when it has none, by the game's ranking rule (below equal scores). The slot
// taken, or -1 when the score places nowhere (or the board is not one the file can hold).
int32_t PlaceBoardEntry(BoardScores* scores, int32_t columns, int32_t rows, int32_t firstSlot,
                        int32_t score, const char* name);

// The file's text from an open file: false, with *error, when the file is not one this
// game can read (another heading, an unknown version, NUL bytes). A file with no data line
// at all holds no tables. nullptr reads as no tables.
bool ReadBoardScores(FILE* file, BoardScores* scores, std::string* error);

// The whole text, line ends included (kLineEnd); it reads back to the same tables.
std::string BoardScoresText(const BoardScores& scores);

// One session's keeping of the file: its tables as last read or merged, the entries placed
// since the last merge that reached the file, and why the last load or merge failed.
class BoardScoreKeeper {
public:
    // Reads the file (its shipped copy while it is missing). False when it exists but
    // cannot be read: the tables are empty and nothing is written this session.
    bool Load(const ScoreFile& file);

    // An entry the game placed on a board, kept for the next merge.
    void Record(int32_t columns, int32_t rows, int32_t firstSlot, int32_t score, const char* name);

    // Under the lock, the file as it is now with each recorded entry placed in it, written
    // back; afterwards Tables() are the file's. False when nothing was written: the entries
    // stay for the next try, and State() says why (busy when only the lock was held).
    bool Merge(const ScoreFile& file);

    const BoardScores& Tables() const { return tables_; }
    int Unsaved() const { return static_cast<int>(unsaved_.size()); }
    const TableFileState& State() const { return state_; }

private:
    struct Entry {
        int32_t columns, rows, firstSlot, score;
        std::string name;
    };
    BoardScores tables_;
    std::vector<Entry> unsaved_;
    TableFileState state_;
};
