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
// before it is opened, and the open itself never waits. Links are followed, and a private
// file checked, as ResolveScoreFile does. Missing only when the file does not exist;
// anything else that keeps it from being read is Failed, with *error saying why. While the
// copy of the old table that a save in place keeps (ReplaceScoreFile) is whole, that copy is
// what is read: the file itself may be half written. On Opened the caller closes *file.
StoreOpen OpenScoreFileForReading(const char* path, bool privateFile, FILE** file,
                                  std::string* error);

// The file a symlinked score file finally names, so that the link itself stays (a player may
// keep the real file in a synced folder); a link to nowhere names the file it would create.
// A link is followed only when it belongs to the player or to the system's administrator,
// and the same holds for a linked folder the file lies in: anyone else's link could send
// the save over any file of the player's. A private file (in the player's own folder) is
// refused the same way when that folder, or the file, belongs to someone else: another
// user could read it, or made it to be read. False, with *error, for such a link or file.
bool ResolveScoreFile(const std::string& path, bool privateFile, std::string* target,
                      std::string* error);

enum class LockState {
    Held,      // a lock every game shares, ours until the object goes
    Busy,      // another game holds it: try again later, the entries wait
    Unshared,  // only a lock of this player's own could be had: the player's games keep
               // each other's names, other players' games saving at the same moment may not
    None,      // no lock at all: nothing may be written, the entries wait
};

// An exclusive lock held for a whole read-change-write by one game: on "<target>.lock"
// and on the folder that holds target, so that a game that cannot use the one still shares
// the other. One try that never waits: the game keeps running while another game saves.
// A lock file this game makes gets the score file's permissions (or those of a new score
// file), so another player who may not write it still locks it for reading; one that was
// there is never changed. When neither can be used (a file system without locks), a lock
// of the player's own elsewhere: Unshared. Note() says why a lock could not be used.
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
    intptr_t folderHandle_ = -1;  // the same for the folder's lock (POSIX)
    LockState state_ = LockState::None;
    std::string note_;
};

// Replaces target with text, byte for byte, as one step: a fresh file under a name of our
// own beside it (a planted link or file is never written through), written, flushed to the
// disk and renamed over target, so the previous file survives any failure and a reader
// never sees half a table. Where the folder forbids replacing another user's file (a
// sticky shared folder) and the player may write target, target is written in place
// instead, with a copy of the old table kept beside it until the write is whole: a kill
// leaves the old table or the new one. An existing target keeps its permissions; a new one
// is readable by the player only when privateFile is set, and writable by the others a
// sticky shared folder lets write. Leftovers of a save killed halfway that no live game is
// writing are removed. The caller holds the lock. False, with *error, when target was not
// replaced.
bool ReplaceScoreFile(const std::string& target, const std::string& text, bool privateFile,
                      std::string* error);

// Makes the missing folders of folder that lie below base, private to the player. base
// itself (the home folder) is never made: it must exist. False, with *error naming the
// first step that failed and its own reason.
bool MakeFoldersBelow(const std::string& base, const std::string& folder, std::string* error);
