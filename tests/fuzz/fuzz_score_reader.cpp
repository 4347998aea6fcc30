// The readers of both score files on any bytes. Scores.txt: a readable file loads a counter
// in 1..99 and names that are terminated single words; written, it is exactly 21 data
// lines of at most 254 characters, which read back to the same tables; an unreadable one
// (NUL bytes) is never written. BoardScores.txt: what reads writes back to a text that
// reads to itself, each line within 254 characters, the heading first.
#include <cstdint>
#include <cstring>
#include <string>

#include "game/game_state.h"
#include "scores/board_scores.h"
#include "scores/scores.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void CheckLoadedTables()
{
    FUZZ_CHECK(saved.gameCounter >= 1 && saved.gameCounter <= 99);
    for (const auto& name : saved.scoreNames) {
        const char* end = static_cast<const char*>(std::memchr(name, '\0', kScoreNameSize));
        FUZZ_CHECK(end != nullptr);
        for (const char* c = name; c < end; ++c)
            FUZZ_CHECK(!IsBlank(*c));
    }
}

// Exactly 21 lines, each ended, none longer than 254 characters, none a comment or empty.
void CheckWrittenText(const std::string& text)
{
    int lines = 0;
    size_t start = 0;
    for (size_t end = text.find(kLineEnd); end != std::string::npos;
         end = text.find(kLineEnd, start)) {
        std::string line = text.substr(start, end - start);
        FUZZ_CHECK(line.size() <= 254);
        FUZZ_CHECK(!line.empty() && line[0] != '/');
        FUZZ_CHECK(line.find('\n') == std::string::npos && line.find('\r') == std::string::npos);
        ++lines;
        start = end + std::strlen(kLineEnd);
    }
    FUZZ_CHECK(start == text.size());
    FUZZ_CHECK(lines == kScoreFileLineCount);
}

void FuzzScoresTxt(const std::string& bytes)
{
    ScoreFile file = FreshScoreFile();
    WriteBytes(file.path, bytes);
    saved = SavedScores{};
    bool readable = LoadScores(file);
    if (!readable) {
        FUZZ_CHECK(bytes.find('\0') != std::string::npos);
        FUZZ_CHECK(!SaveScores(file) && !MergeScores(file, true));
        FUZZ_CHECK(ReadBytes(file.path) == bytes);
        return;
    }
    CheckLoadedTables();
    SavedScores first = saved;
    FUZZ_CHECK(SaveScores(file));
    CheckWrittenText(ReadBytes(file.path));
    saved = SavedScores{};
    FUZZ_CHECK(LoadScores(file));
    FUZZ_CHECK(saved.gameCounter == first.gameCounter);
    for (int slot = 0; slot < kScoreSlots; ++slot) {
        FUZZ_CHECK(saved.scoreValues[slot] == first.scoreValues[slot]);
        FUZZ_CHECK(std::strcmp(saved.scoreNames[slot], first.scoreNames[slot]) == 0);
    }
}

void FuzzBoardScores(const std::string& bytes)
{
    std::string path = ScratchFolder() + "/BoardScores.txt";
    WriteBytes(path, bytes);
    BoardScores scores;
    std::string error;
    FILE* opened = std::fopen(path.c_str(), "rb");
    FUZZ_CHECK(opened != nullptr);
    bool readable = ReadBoardScores(opened, &scores, &error);
    std::fclose(opened);
    if (!readable) {
        FUZZ_CHECK(!error.empty() && scores.boards.empty());
        return;
    }
    FUZZ_CHECK(scores.boards.size() <= kMostBoards);
    std::string text = BoardScoresText(scores);
    FUZZ_CHECK(text.rfind(kBoardScoresHeading, 0) == 0);
    for (size_t start = 0, end = 0; (end = text.find(kLineEnd, start)) != std::string::npos;
         start = end + std::strlen(kLineEnd))
        FUZZ_CHECK(end - start <= 254);
    WriteBytes(path, text);
    BoardScores again;
    opened = std::fopen(path.c_str(), "rb");
    FUZZ_CHECK(ReadBoardScores(opened, &again, &error));
    std::fclose(opened);
    FUZZ_CHECK(BoardScoresText(again) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzScoresTxt(bytes);
    FuzzBoardScores(bytes);
    return 0;
}
