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
// before it is opened, and the open itself never waits. Missing only when the file does not
// exist; anything else that keeps it from being read is Failed, with *error saying why.
// On Opened the caller closes *file.
StoreOpen OpenScoreFileForReading(const char* path, FILE** file, std::string* error);

// The file a symlinked score file finally names, so that the link itself stays (a player may
// keep the real file in a synced folder). A link to nowhere names the file it would create.
std::string ScoreFileTarget(const std::string& path);

// An exclusive lock on "<target>.lock", held for a whole read-change-write by one game.
// Another game saves for milliseconds; one stopped in the middle of a save must not hang
// this one, so taking it gives up after a few seconds. Released when the object goes.
class ScoreFileLock {
public:
    explicit ScoreFileLock(const std::string& target);
    ~ScoreFileLock();
    ScoreFileLock(const ScoreFileLock&) = delete;
    ScoreFileLock& operator=(const ScoreFileLock&) = delete;

    bool Held() const { return held_; }
    const std::string& Error() const { return error_; }

private:
    intptr_t handle_ = -1;  // the system's own handle of the open lock file
    bool held_ = false;
    std::string error_;
};

// Replaces target with text as one step: a fresh file under a name of our own beside it
// (a planted link or file is never written through), written, flushed to the disk and
// renamed over target, so the previous file survives any failure and a reader never sees
// half a table. An existing target keeps its permissions; a new one is readable by the
// player only when privateFile is set. Leftovers of a save killed halfway are removed.
// The caller holds the lock. False, with *error, when target was not replaced.
bool ReplaceScoreFile(const std::string& target, const std::string& text, bool privateFile,
                      std::string* error);
