// The score file and the typing of a name into a table. No window, no GL.
#pragma once

#include <cstdio>

// Where the tables and the game counter live, relative to the working directory.
extern const char* scoreFilePath;

// Reads the next data line (not a comment, not empty) into buffer, at most 254
// characters at a time. False at the end of the file: reading always ends.
bool ReadDataLine(FILE* file, char buffer[256]);

// Reads the file into gameCounter, scoreValues and scoreNames. A missing file, or one
// that ends early, leaves the defaults for what it did not reach; a counter below 1
// is taken as 1.
void LoadScores();

// Writes the 21 data lines atomically: the previous file survives a failed write.
// Returns false when the file could not be written (the game still shuts down).
bool SaveScores();

// One key-down of name entry, as a Win32 virtual-key code. Enter places the entry.
void HandleNameKey(int keyCode);
void ShiftScoreTable();
