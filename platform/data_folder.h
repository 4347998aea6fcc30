// Where the game finds its images and sound, and where the player's score table is kept.
// The choices themselves are plain functions of what the caller saw on disk and in the
// environment, so they are tested without a disk to look at; each system's file (sdl/,
// win32/) does the looking.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scores/score_file.h"

// One place the game's files may be.
struct DataFolder {
    std::string path;  // "data" for the current folder's (relative, as always), else absolute
    bool installed;    // an installed copy: never written, its scores are the player's own
};

// The places in search order: the current folder's data/ (the portable folder, exactly as
// before), data/ beside the executable, the installed data folder reached from the
// executable's folder through installedFromBin (so a relocated prefix or an unpacked package
// works), and the installed data folder compiled in. An empty executableFolder or install
// path drops the candidates built on it; a place met twice is listed once.
std::vector<DataFolder> DataFolderCandidates(const std::string& executableFolder,
                                             const std::string& installedFromBin,
                                             const std::string& installedFolder);

// The paths under which folder may hold the file the game asks for as "Data/x.bmp",
// "data/Sound.wav" or "data/de/x.bmp". The current folder keeps the loader's own spelling
// first, then "data/"; any other folder holds the path inside the data folder.
std::vector<std::string> DataFileSpellings(const DataFolder& folder, const std::string& requested);

// The first candidate that holds every requested file, as exists() tells; null for none.
const DataFolder* FindDataFolder(const std::vector<DataFolder>& candidates,
                                 const std::vector<std::string>& requested,
                                 const std::function<bool(const std::string&)>& exists);

// The folders a language's catalogue may lie in (below each, <code>/LC_MESSAGES/flipora.mo):
// locale/ beside the executable (the build's, the Windows folder's), the installed locale
// folder reached from the executable's folder through installedFromBin, and the one
// compiled in. An empty part drops the candidates built on it.
std::vector<std::string> CatalogueFolderCandidates(const std::string& executableFolder,
                                                   const std::string& installedFromBin,
                                                   const std::string& installedFolder);

// The player's own folder for the game: $XDG_DATA_HOME/flipora, or ~/.local/share/flipora
// when the variable is unset, empty or relative (such values are invalid there). Empty when
// there is no home to fall back on.
std::string PlayerDataFolder(const char* xdgDataHome, const char* home);

// The home folder: HOME when it names an existing folder by an absolute path, else the
// password database's entry (a relative HOME would put the scores under whatever folder
// the game was started from, a stale one would be created whole). Empty when neither.
std::string ChooseHomeFolder(const char* homeVariable, const char* passwordHome,
                             const std::function<bool(const std::string&)>& isFolder);

// Why there is no home folder, for the player: what is wrong with HOME (unset, not an
// absolute path, not a folder) when the password database has no home either.
std::string NoHomeReason(const char* homeVariable, bool homeIsFolder);

// The existing folder below which the game may make the player's folder: home when the
// player's folder lies under it (it is never made itself), else the root, so that a
// missing $XDG_DATA_HOME elsewhere is made as the XDG rules ask.
std::string PlayerFolderBase(const std::string& playerFolder, const std::string& home);

// A portable folder the player may write keeps Scores.txt beside the images, as always;
// an installed or read-only folder sends the table to the player's folder.
// The reason in nowhere is the caller's to give.
ScoreFile ChooseScoreFile(const DataFolder& folder, bool folderWritable,
                          const std::string& playerFolder);

// The file a run reads its table from: the saved one when it exists, else the shipped one
// when that exists, else none (empty: the defaults).
std::string ScoreFileToRead(const ScoreFile& file,
                            const std::function<bool(const std::string&)>& exists);

// The player's preferences: the file, empty when there is no home to keep it in, and the
// existing folder below which the folders leading to it may be made.
struct PreferencesFile {
    std::string path;
    std::string makeBelow;
};

// $XDG_CONFIG_HOME/flipora/Preferences.txt, or ~/.config/flipora/Preferences.txt when the
// variable is unset, empty or relative (such values are invalid there).
PreferencesFile ChoosePreferencesFile(const char* xdgConfigHome, const std::string& home);

// The folder the game uses, chosen once at start ("data" until then), and the path of a
// file in it as the game asks for it ("Data/Vexo.bmp", "data/Sound.wav").
void UseDataFolder(const DataFolder& folder);
const DataFolder& DataFolderInUse();
std::string DataFilePath(const char* requested);

// A path as the player reads it in a box or the help: absolute, a relative one taken from
// currentFolder (left relative when that is empty), its parts joined by separator ('\\'
// separates too where it is the separator, and only there), "." parts left out.
std::string ShownPathFrom(const std::string& path, const std::string& currentFolder,
                          char separator);
// The same from the process's current folder, with the system's separator.
std::string ShownPath(const std::string& path);

// Each system's own (sdl/, win32/): no window needed.

// Looks through the candidates on disk and makes the first that holds every requested file
// the folder in use. False when none does: the folder in use stays the current folder's,
// so loading fails as it always has, and tried lists the places looked at.
bool LocateDataFolder(const std::vector<std::string>& requested, std::vector<DataFolder>* tried);

// Scores.txt for the folder in use, from its write permission and the environment.
ScoreFile LocateScoreFile();

// The preferences file of the player running the game (%APPDATA%\Flipora\ on Windows).
PreferencesFile LocatePreferencesFile();

// CatalogueFolderCandidates for this executable.
std::vector<std::string> CatalogueFolders();
