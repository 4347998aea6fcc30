// The merge of a session's entries into Scores.txt, on any file and any entries placed by
// the game's own name entry. The merge's tables are the file's with each entry inserted by
// the game's ranking rule, exactly what the game showed; a merge that fails (another game
// holds the lock, the file was swapped for a folder) writes nothing and keeps every entry;
// a file that could not be read at start is never written.
//
// Input: one byte of what goes wrong and the mode, one byte for the number of entries, per
// entry two bytes of score, a length byte and the typed keys; the rest is the file.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "scores/scores.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    uint8_t Byte() { return at < size ? data[at++] : 0; }
    std::string Rest() const
    {
        return at < size ? std::string(reinterpret_cast<const char*>(data + at), size - at) : "";
    }
};

enum class Trouble { None, LockHeld, FileSwapped };

// As a player does it: the game over with this score, the keys typed, Enter.
void PlaceByNameEntry(int32_t score, const std::string& keys)
{
    game.finalScore = score;
    game.finalRank = FindRank();
    if (game.finalRank < 0)
        return;
    game.gameOver = true;
    game.scoreInserted = false;
    game.nameLength = 0;
    std::memset(game.nameBuffer, 0, sizeof game.nameBuffer);
    for (char key : keys)
        HandleNameKey(key);
    RecordPlacedEntry(HandleNameKey(kKeyEnter).placedSlot);  // as the shell takes it
}

bool SameTables(const SavedScores& a, const SavedScores& b)
{
    for (int slot = 0; slot < kScoreSlots; ++slot)
        if (a.scoreValues[slot] != b.scoreValues[slot] ||
            std::strcmp(a.scoreNames[slot], b.scoreNames[slot]) != 0)
            return false;
    return true;
}

// The merge fails for trouble's reason, and leaves the file and the entries as they were.
void CheckFailedMerge(const ScoreFile& file, Trouble trouble, const std::string& bytes, int placed)
{
    std::string moved = file.path + ".away";
    int held = -1;
    if (trouble == Trouble::LockHeld) {
        held = open((file.path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        FUZZ_CHECK(held >= 0 && flock(held, LOCK_EX) == 0);
    } else {
        FUZZ_CHECK(std::rename(file.path.c_str(), moved.c_str()) == 0);
        std::filesystem::create_directory(file.path);
    }
    SavedScores before = saved;
    FUZZ_CHECK(!MergeScores(file, false));
    FUZZ_CHECK(UnsavedEntryCount() == placed);
    FUZZ_CHECK(SameTables(saved, before));
    FUZZ_CHECK(ScoreFileBusy() == (trouble == Trouble::LockHeld));
    if (held >= 0) {
        close(held);
    } else {
        FUZZ_CHECK(std::filesystem::is_empty(file.path));
        std::filesystem::remove(file.path);
        FUZZ_CHECK(std::rename(moved.c_str(), file.path.c_str()) == 0);
    }
    FUZZ_CHECK(ReadBytes(file.path) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input input{data, size};
    uint8_t flags = input.Byte();
    Trouble trouble = static_cast<Trouble>((flags & 3) % 3);
    int entries = input.Byte() % 5;
    game = GameState{};
    game.timeTrial = (flags & 4) != 0;
    struct Typed {
        int32_t score;
        std::string keys;
    } typed[4];
    for (int i = 0; i < entries; ++i) {
        typed[i].score = static_cast<int16_t>(input.Byte() | input.Byte() << 8);
        int length = input.Byte() % 12;
        for (int k = 0; k < length; ++k)
            typed[i].keys += static_cast<char>(32 + input.Byte() % 94);  // 32..125
    }
    std::string bytes = input.Rest();

    ScoreFile file = FreshScoreFile();
    WriteBytes(file.path, bytes);
    saved = SavedScores{};
    bool readable = LoadScores(file);
    for (int i = 0; i < entries; ++i)
        PlaceByNameEntry(typed[i].score, typed[i].keys);
    int placed = UnsavedEntryCount();
    SavedScores shown = saved;

    if (!readable) {
        FUZZ_CHECK(!MergeScores(file, true));
        FUZZ_CHECK(UnsavedEntryCount() == placed);
        FUZZ_CHECK(ReadBytes(file.path) == bytes);
        return 0;
    }
    if (trouble != Trouble::None)
        CheckFailedMerge(file, trouble, bytes, placed);
    FUZZ_CHECK(MergeScores(file, false));
    FUZZ_CHECK(UnsavedEntryCount() == 0);
    FUZZ_CHECK(SameTables(saved, shown));
    return 0;
}
