// The other boards' file: its heading and version, a heading line per table and five
// entry lines under it.
#include "scores/board_scores.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <tuple>

#include "game/score_table.h"

namespace {

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

const char* SkipBlanks(const char* text)
{
    while (*text && IsBlank(*text))
        ++text;
    return text;
}

// The first word of text into name, cut to a slot; empty when there is none.
void FirstWord(const char* text, char (&name)[kScoreNameSize])
{
    text = SkipBlanks(text);
    size_t length = 0;
    while (text[length] && !IsBlank(text[length]) && length < kScoreNameSize - 1)
        ++length;
    std::memcpy(name, text, length);
    name[length] = '\0';
}

// A decimal number of one or two digits, as sides are written.
bool ReadSide(const char** text, int32_t* side)
{
    int32_t value = 0;
    int digits = 0;
    while (std::isdigit(static_cast<unsigned char>(**text)) && digits < 3) {
        value = value * 10 + (**text - '0');
        ++*text;
        ++digits;
    }
    *side = value;
    return digits > 0 && digits < 3 && value >= 1 && value <= kLargestBoardSide;
}

// "3x4 normal" or "3x4 time-trial", blanks after it allowed: the board and the table's
// first slot.
bool ReadTableHeading(const char* line, int32_t* columns, int32_t* rows, int32_t* firstSlot)
{
    if (!ReadSide(&line, columns) || *line++ != 'x' || !ReadSide(&line, rows) || *line++ != ' ')
        return false;
    for (int table = 0; table < 2; ++table) {
        size_t length = std::strlen(kBoardTableWords[table]);
        if (std::strncmp(line, kBoardTableWords[table], length) == 0 &&
            *SkipBlanks(line + length) == '\0') {
            *firstSlot = table * kTableSize;
            return true;
        }
    }
    return false;
}

// "Flipora board scores 1": false with *error for any other first line.
bool ReadHeading(const char* line, std::string* error)
{
    size_t length = std::strlen(kBoardScoresHeading);
    int32_t version = 0;
    const char* end = nullptr;
    if (std::strncmp(line, kBoardScoresHeading, length) != 0 || !IsBlank(line[length]) ||
        !ParseValue(line + length, &version, &end) || *SkipBlanks(end) != '\0') {
        *error = "it is not a file of board scores";
        return false;
    }
    if (version != kBoardScoresVersion) {
        *error = "it is of version " + std::to_string(version) + ", which this game does not know";
        return false;
    }
    return true;
}

BoardTables* BoardFor(BoardScores* scores, int32_t columns, int32_t rows)
{
    auto before = [](const BoardTables& board, std::pair<int32_t, int32_t> size) {
        return std::make_pair(board.columns, board.rows) < size;
    };
    auto at = std::lower_bound(scores->boards.begin(), scores->boards.end(),
                               std::make_pair(columns, rows), before);
    if (at != scores->boards.end() && at->columns == columns && at->rows == rows)
        return &*at;
    if (scores->boards.size() >= kMostBoards || columns < 1 || rows < 1 ||
        columns > kLargestBoardSide || rows > kLargestBoardSide)
        return nullptr;
    BoardTables board;
    board.columns = columns;
    board.rows = rows;
    return &*scores->boards.insert(at, board);
}

// One line of the text, within 254 characters: the score, and the name after a blank.
void AppendEntry(std::string* text, int32_t value, const char* name)
{
    constexpr size_t kLongestLine = kScoreNameSize - 1;
    std::string line = std::to_string(value);
    size_t length = std::min(std::strcspn(name, "\r\n"), kLongestLine - line.size() - 1);
    if (length > 0)
        line += ' ' + std::string(name, length);
    *text += line + kLineEnd;
}

}  // namespace

const BoardTables* FindBoard(const BoardScores& scores, int32_t columns, int32_t rows)
{
    for (const BoardTables& board : scores.boards)
        if (board.columns == columns && board.rows == rows)
            return &board;
    return nullptr;
}

int32_t PlaceBoardEntry(BoardScores* scores, int32_t columns, int32_t rows, int32_t firstSlot,
                        int32_t score, const char* name)
{
    if (firstSlot != 0 && firstSlot != kTableSize)
        return -1;
    BoardTables* board = BoardFor(scores, columns, rows);
    if (!board)
        return -1;
    int32_t slot = SlotForScore(board->values, firstSlot, score);
    if (slot < 0)
        return -1;
    OpenScoreSlot(board->values, board->names, slot);
    board->values[slot] = score;
    size_t length = strnlen(name, kScoreNameSize - 1);
    std::memcpy(board->names[slot], name, length);
    board->names[slot][length] = '\0';
    return slot;
}

bool ReadBoardScores(FILE* file, BoardScores* scores, std::string* error)
{
    *scores = BoardScores{};
    if (!file)
        return true;
    DataLineReader lines(file);
    char line[256];
    bool understood = !lines.Next(line) || ReadHeading(line, error);
    // The table being read and its next slot; a table met again is read the first time only.
    BoardTables* board = nullptr;
    int32_t next = 0, end = 0;
    std::vector<std::tuple<int32_t, int32_t, int32_t>> seen;
    while (understood && lines.Next(line)) {
        line[std::strcspn(line, "\r\n")] = '\0';
        int32_t columns = 0, rows = 0, firstSlot = 0;
        if (ReadTableHeading(line, &columns, &rows, &firstSlot)) {
            auto table = std::make_tuple(columns, rows, firstSlot);
            bool repeated = std::find(seen.begin(), seen.end(), table) != seen.end();
            board = repeated ? nullptr : BoardFor(scores, columns, rows);
            if (board)
                seen.push_back(table);
            next = firstSlot;
            end = firstSlot + kTableSize;
            continue;
        }
        if (!board || next >= end)
            continue;
        const char* afterValue = line;
        int32_t value = 0;
        if (!ParseValue(line, &value, &afterValue))
            afterValue = line;
        board->values[next] = value;
        FirstWord(afterValue, board->names[next]);
        ++next;
    }
    if (understood && lines.Damaged()) {
        *error = "it is not plain text: it holds NUL bytes, as a file saved as UTF-16 does";
        understood = false;
    }
    if (!understood)
        *scores = BoardScores{};
    return understood;
}

std::string BoardScoresText(const BoardScores& scores)
{
    std::string text = std::string(kBoardScoresHeading) + " " +
                        std::to_string(kBoardScoresVersion) + kLineEnd;
    for (const BoardTables& board : scores.boards) {
        for (int table = 0; table < 2; ++table) {
            text += std::to_string(board.columns) + "x" + std::to_string(board.rows) + " " +
                    kBoardTableWords[table] + kLineEnd;
            for (int slot = table * kTableSize; slot < (table + 1) * kTableSize; ++slot)
                AppendEntry(&text, board.values[slot], board.names[slot]);
        }
    }
    return text;
}

bool BoardScoreKeeper::Load(const ScoreFile& file)
{
    unsaved_.clear();
    LoadTableFile(file, &state_, [this](FILE* opened, std::string* error) {
        return ReadBoardScores(opened, &tables_, error);
    });
    return !state_.unreadable;
}

void BoardScoreKeeper::Record(int32_t columns, int32_t rows, int32_t firstSlot, int32_t score,
                              const char* name)
{
    unsaved_.push_back({columns, rows, firstSlot, score, std::string(name, strnlen(name, kScoreNameSize - 1))});
}

bool BoardScoreKeeper::Merge(const ScoreFile& file)
{
    BoardScores onDisk;
    auto read = [&onDisk](FILE* opened, std::string* error) {
        return ReadBoardScores(opened, &onDisk, error);
    };
    auto write = [&](TableRead) {
        for (const Entry& entry : unsaved_)
            PlaceBoardEntry(&onDisk, entry.columns, entry.rows, entry.firstSlot, entry.score,
                            entry.name.c_str());
        return BoardScoresText(onDisk);
    };
    if (!SaveTableFile(file, &state_, read, write))
        return false;
    unsaved_.clear();
    tables_ = onDisk;
    return true;
}
