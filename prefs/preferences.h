// The player's choices that outlast a run (the board, the pictures, full screen and the
// window's size) and the small file that keeps them in the player's configuration folder.
// The mode and the sound are not among them: every run starts them as the game always has.
// No window, no GL.
#pragma once

#include <string>
#include <vector>

#include "game/board.h"
#include "game/identity.h"

inline constexpr const char* kStandardPictureSet = "standard";  // the standard game's pictures

struct Preferences {
    BoardSize board = kStandardBoard;
    std::string pictures = kStandardPictureSet;
    bool fullScreen = false;
    int windowWidth = kWindowWidth;    // the client area out of full screen, in window units
    int windowHeight = kWindowHeight;
    // Lines of choices this version does not know (a later version's), kept as they were
    // and written back after ours.
    std::vector<std::string> otherLines;

    bool operator==(const Preferences&) const = default;
};

// The file's first line is "version 1"; a later version that changes what a line means
// says a higher number, and this one then leaves its file alone.
inline constexpr int kPreferencesVersion = 1;
inline constexpr int kLargestWindowSide = 16384;

// Reads a file's text over *preferences, which holds what a missing line leaves (the
// defaults, normally). Each line is "name value"; a value that is not one of the choices
// on offer (pictureSets names the picture sets) is ignored on its own, and the rest still
// count. Empty lines and lines starting with '#' are skipped; LF and CR LF both end a
// line; a UTF-8 byte-order mark is skipped. False, with *preferences untouched, when the
// text is not a preferences file of a version this one understands: its first line is not
// "version N" with N from 1 to kPreferencesVersion. A text with no line at all is read as
// defaults.
bool ParsePreferences(const std::string& text, const std::vector<std::string>& pictureSets,
                      Preferences* preferences, std::string* error);

// The file's text: the version line, then one line per choice and the lines kept.
std::string PreferencesText(const Preferences& preferences);

enum class PreferencesLoad {
    Missing,     // no file: *preferences keeps the defaults
    Read,
    Unreadable,  // it exists but cannot be read or is not understood: never write over it
};

// Reads the file at path over *preferences. *error says why on Unreadable.
PreferencesLoad LoadPreferences(const std::string& path,
                                const std::vector<std::string>& pictureSets,
                                Preferences* preferences, std::string* error);

// Replaces the file at path in one step (a crash leaves the old file or the new one),
// making the folders below base that lead to it (base, the home folder, must exist;
// empty for none). The file is readable by the player only. False, with *error, when
// nothing was written.
bool SavePreferences(const std::string& path, const std::string& base,
                     const Preferences& preferences, std::string* error);
