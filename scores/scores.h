// The score file. No window, no GL.
#pragma once

#include <cstdint>
#include <cstdio>

#include "scores/score_file.h"

// Scores.txt, the standard board's file, line by line: after the counter, the normal
// table's five scores and then its five names, then the same for the time trial. The
// reader and the writer walk this list, and so do the end-to-end tests' helpers
// (tests/e2e/flipora_e2e.py reads it from here).
inline constexpr const char* kScoreFileName = "Scores.txt";
enum class ScoreLine { Counter, Score, Name };
struct ScoreFileLine {
    ScoreLine holds;
    int slot;  // 0..4 normal, 5..9 time trial; 0 for the counter
};
inline constexpr ScoreFileLine kScoreFileLines[] = {
    {ScoreLine::Counter, 0},
    {ScoreLine::Score, 0}, {ScoreLine::Score, 1}, {ScoreLine::Score, 2}, {ScoreLine::Score, 3},
    {ScoreLine::Score, 4},
    {ScoreLine::Name, 0}, {ScoreLine::Name, 1}, {ScoreLine::Name, 2}, {ScoreLine::Name, 3},
    {ScoreLine::Name, 4},
    {ScoreLine::Score, 5}, {ScoreLine::Score, 6}, {ScoreLine::Score, 7}, {ScoreLine::Score, 8},
    {ScoreLine::Score, 9},
    {ScoreLine::Name, 5}, {ScoreLine::Name, 6}, {ScoreLine::Name, 7}, {ScoreLine::Name, 8},
    {ScoreLine::Name, 9},
};
inline constexpr int kScoreFileLineCount = 21;
static_assert(sizeof kScoreFileLines / sizeof kScoreFileLines[0] == kScoreFileLineCount);

// Reads the next data line (not a comment, not empty) into buffer, at most 254
// characters at a time. False at the end of the file: reading always ends.
bool ReadDataLine(FILE* file, char buffer[256]);

// Reads file into gameCounter, scoreValues and scoreNames. A missing file, or one
// that ends early, leaves the defaults for what it did not reach (counter 1, scores 0,
// names empty); a counter outside 1..99 is brought into it (below 1 as 1, above 99
// modulo 99). Values read like "%i", except that one outside the int range is clamped
// to it. CR LF line ends, and a lone CR as old Mac files have, read like LF.
// A missing file reads file.shipped instead, when set; a shipped table that cannot
// be read just leaves the defaults. Only a missing file means defaults: one that exists
// but cannot be read (no permission, not a regular file, a link made by another user, a
// read error) also leaves the defaults, returns false, and from then on nothing writes
// over it (ScoreFileUnreadable). Opening never blocks.
bool LoadScores(const ScoreFile& file);

// True after a load found the file unreadable: this session keeps no scores.
bool ScoreFileUnreadable();

// Why the last load or save failed, as a short phrase ("Permission denied"); empty after
// one that worked.
const char* ScoreFileError();

// Set once a save had only a lock of this player's own, with the reason: other players'
// games saving at the same moment might overwrite each other's names. Empty otherwise.
const char* ScoreFileUnsharedLock();

// True after a save failed only because another game held the lock: nothing is wrong,
// the same save works once that game is done.
bool ScoreFileBusy();

// Writes the 21 data lines of the tables as they are now. Every write of the file goes
// the same way: under an exclusive lock on "<file>.lock", taken without waiting, to a
// fresh temporary file beside it that is synced and renamed over it, so the previous file
// survives any failure and a reader never sees half a table. Where no lock file can be
// used the write goes on without it and says so once on stderr. A symlinked file is
// written through (the link stays) when the link is the player's or the administrator's,
// and refused otherwise; an existing file keeps its permissions. False when nothing was
// written. An empty name, or one beginning with "/", is written after one blank so that
// it stays a data line and every slot reads back in place.
bool SaveScores(const ScoreFile& file);

// Entries placed (by Enter) since the last save that reached the file.
int UnsavedEntryCount();

// Remembers the entry now in slot as placed by this session, for the next merge.
void RecordPlacedEntry(int slot);

// Saves this session's changes into the file as it is on disk now, so that games
// sharing the file keep each other's entries: under the lock, reads the file, inserts
// each unsaved entry into its table by the same ranking rules (below equal scores), and
// writes it. The counter written is the game's own when writeOwnCounter is set (at exit)
// or the file has none; otherwise the file's stays. Afterwards the tables in memory are
// the file's; the running counter stays the game's. False when the file could not be
// read or written (the entries stay unsaved for the next try) or is unreadable since
// the load.
bool MergeScores(const ScoreFile& file, bool writeOwnCounter);
