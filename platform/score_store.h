// The score file on disk: opening it for reading, the lock held around a read-change-write,
// and the durable replacement of the whole file. scores/score_file.cpp owns the lines and the
// merge and comes here for every touch of the disk. One implementation per system
// (platform/posix/ here); paths are UTF-8, errors short phrases ("Permission denied").
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

enum class StoreOpen { Opened, Missing, Failed };

// Opens path for reading, as a regular file only: a folder, a FIFO or a device is refused
// before it is opened, and the open itself never waits. Links are followed as
// ResolveScoreFile does. Missing only when the file does not exist; anything else that
// keeps it from being read is Failed, with *error saying why. On Opened the caller closes
// *file.
StoreOpen OpenScoreFileForReading(const char* path, FILE** file, std::string* error);

// The file a symlinked score file finally names, so that the link itself stays (a player may
// keep the real file in a synced folder); a link to nowhere names the file it would create.
// A link is followed only when it belongs to the player or to the system's administrator,
// and the same holds for a linked folder the file lies in: anyone else's link could send
// the save over any file of the player's. False, with *error, for such a link.
bool ResolveScoreFile(const std::string& path, std::string* target, std::string* error);

enum class LockState {
    Held,      // ours until the object goes
    Busy,      // another game holds it: try again later, the entries wait
    Unshared,  // no lock file can be used here; the save goes on without one
};

// An exclusive lock on "<target>.lock", held for a whole read-change-write by one game.
// One try that never waits: the game keeps running while another game saves. The lock
// file gets the score file's permissions (or those of a new score file); another player
// who may not write it still locks it for reading. A lock file that is someone else's
// link, or that cannot be opened at all, is no reason to lose a save: Unshared, and
// Note() says why.
class ScoreFileLock {
public:
    ScoreFileLock(const std::string& target, bool privateFile);
    ~ScoreFileLock();
    ScoreFileLock(const ScoreFileLock&) = delete;
    ScoreFileLock& operator=(const ScoreFileLock&) = delete;

    LockState State() const { return state_; }
    const std::string& Note() const { return note_; }

private:
    intptr_t handle_ = -1;  // the system's own handle of the open lock file
    LockState state_ = LockState::Unshared;
    std::string note_;
};

// Replaces target with text, byte for byte, as one step: a fresh file under a name of our own beside it
// (a planted link or file is never written through), written, flushed to the disk and
// renamed over target, so the previous file survives any failure and a reader never sees
// half a table. An existing target keeps its permissions; a new one is readable by the
// player only when privateFile is set. Leftovers of a save killed halfway are removed.
// The caller holds the lock. False, with *error, when target was not replaced.
bool ReplaceScoreFile(const std::string& target, const std::string& text, bool privateFile,
                      std::string* error);

// Makes the missing folders of folder that lie below base, private to the player. base
// itself (the home folder) is never made: it must exist. False, with *error naming the
// first step that failed and its own reason.
bool MakeFoldersBelow(const std::string& base, const std::string& folder, std::string* error);
