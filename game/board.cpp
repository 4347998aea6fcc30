#include "game/board.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kLargestSide = 99;

// A side of one or two digits, nothing before or after it.
bool ParseSide(const std::string& text, int* side)
{
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    *side = std::atoi(text.c_str());
    return *side >= 1 && *side <= kLargestSide;
}

}  // namespace

bool IsOfferedBoard(BoardSize board)
{
    return std::find(std::begin(kOfferedBoards), std::end(kOfferedBoards), board) !=
           std::end(kOfferedBoards);
}

std::string BoardName(BoardSize board)
{
    return std::to_string(board.columns) + "x" + std::to_string(board.rows);
}

std::optional<BoardSize> ParseBoardName(const std::string& name)
{
    size_t x = name.find('x');
    BoardSize board{};
    if (x == std::string::npos || !ParseSide(name.substr(0, x), &board.columns) ||
        !ParseSide(name.substr(x + 1), &board.rows) || board.Blocks() % 2 != 0)
        return std::nullopt;
    return board;
}

std::string OfferedBoardNames()
{
    std::string names;
    for (BoardSize board : kOfferedBoards)
        names += (names.empty() ? "" : ", ") + BoardName(board);
    return names;
}

BlockPlace BlockPlaceOf(BoardSize board, int index)
{
    int column = index % board.columns;
    int row = index / board.columns;
    if (board == kStandardBoard)
        return {kBlockColumnX[column], kBlockRowY[row], kBlockZ, 1.0};
    // The longer side's blocks and gaps span the square, as four standard ones do.
    int longer = std::max(board.columns, board.rows);
    double scale = kBoardSide / (longer * kBlockPitch - (kBlockPitch - 2 * kBlockHalf));
    double pitch = kBlockPitch * scale;
    return {kBoardCentreX + (column - (board.columns - 1) / 2.0) * pitch,
            kBoardCentreY - (row - (board.rows - 1) / 2.0) * pitch, kBlockZ, scale};
}
