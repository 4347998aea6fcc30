// The score file and the typing of a name into a table. No window, no GL.
#pragma once

#include <cstdio>

// Where the tables and the game counter live, relative to the working directory.
extern const char* scoreFilePath;

// Reads the next data line (not a comment, not empty) into buffer, at most 254
// characters at a time. False at the end of the file: reading always ends.
bool ReadDataLine(FILE* file, char buffer[256]);

// Reads the file into gameCounter, scoreValues and scoreNames. A missing file, or one
// that ends early, leaves the defaults for what it did not reach (counter 1, scores 0,
// names empty); a counter below 1 is taken as 1. Values read like "%i", except that one
// outside the int range is clamped to it. CR LF line ends read like LF.
void LoadScores();

// Writes the 21 data lines atomically: the previous file survives a failed write.
// Returns false when the file could not be written (the game still shuts down).
// An empty name, or one beginning with "/", is written after one blank so that it stays
// a data line and every slot reads back in place.
bool SaveScores();

// One key-down of name entry, as a Win32 virtual-key code. Enter places the entry and
// sets scoreInserted; until a new game clears it a further Enter places nothing, so one
// finished game places at most one entry. Other keys keep typing into nameBuffer, which
// carries over to the next name. A finalRank outside 0..9 places nothing.
void HandleNameKey(int keyCode);

// Moves the entries from finalRank down by one slot within its own table; the table's
// last entry drops out. Called by HandleNameKey on Enter.
void ShiftScoreTable();
