// The boards a game can be played on: their sizes, where their blocks lie, the names a
// click finds them by, and how many pairs a normal game takes. The standard 4 x 4 board
// is one case of each rule and comes out exactly as it always was. No GL, no game state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/scene_layout.h"

struct BoardSize {
    int columns;
    int rows;

    constexpr int Blocks() const { return columns * rows; }
    constexpr int Pairs() const { return Blocks() / 2; }
    bool operator==(const BoardSize&) const = default;
};

inline constexpr BoardSize kStandardBoard = {4, 4};

// The boards the player may choose, smallest first.
inline constexpr BoardSize kOfferedBoards[] = {{3, 4}, {4, 4}, {5, 4}, {6, 6}};

inline constexpr int LargestOfferedBoard()
{
    int blocks = 0;
    for (BoardSize board : kOfferedBoards)
        blocks = board.Blocks() > blocks ? board.Blocks() : blocks;
    return blocks;
}
inline constexpr int kMaxBlocks = LargestOfferedBoard();
inline constexpr int kMaxPairs = kMaxBlocks / 2;

bool IsOfferedBoard(BoardSize board);

// "COLUMNSxROWS", as the command line and the preferences file spell a board.
std::string BoardName(BoardSize board);
// The board a name spells, offered or not; nothing when it is not COLUMNSxROWS with
// both numbers 1..99 and an even number of blocks.
std::optional<BoardSize> ParseBoardName(const std::string& name);
// The offered boards' names, "3x4, 4x4, ...", for messages and the usage.
std::string OfferedBoardNames();

// A normal game is three boards; it ends when all their pairs are found.
inline constexpr int kBoardsInNormalGame = 3;
inline constexpr int32_t PairsInNormalGame(BoardSize board)
{
    return kBoardsInNormalGame * board.Pairs();
}

// Which of the set's pictures pair r (0..pairs - 1) shows: the next one, and the last
// pair the first, as the standard board always dealt them.
inline constexpr int PictureOfPair(BoardSize board, int pair)
{
    return (pair + 1) % board.Pairs();
}

// Selection names of blocks: index 0..15 is 100 + index on every board, the standard
// board's names; from 16 on, 200 + index, clear of the buttons at 116..121.
inline constexpr int32_t kNameFirstBlock = 100;
inline constexpr int32_t kNameLaterBlocks = 200;
inline constexpr int kBlocksWithFirstNames = 16;

inline constexpr int32_t BlockName(int index)
{
    return index < kBlocksWithFirstNames ? kNameFirstBlock + index : kNameLaterBlocks + index;
}

// The block of board a name picks, or -1 when the name is no block of that board.
inline constexpr int BlockOfName(BoardSize board, int32_t name)
{
    int index = -1;
    if (name >= kNameFirstBlock && name < kNameFirstBlock + kBlocksWithFirstNames)
        index = name - kNameFirstBlock;
    else if (name >= kNameLaterBlocks + kBlocksWithFirstNames)
        index = name - kNameLaterBlocks;
    return index >= 0 && index < board.Blocks() ? index : -1;
}

// Every board fills the standard board's square: the blocks and the gaps between them
// shrink alike until the longer side fits, and the board stays centred where the
// standard one is. Blocks are indexed row * columns + column, row 0 at the top.
struct BlockPlace {
    double x, y, z;  // the centre
    double scale;    // of the standard block (kBlockHalf, kBlockHalfDepth); 1 on 4 x 4
};

// From one standard block's centre to the next, and the side of the square they fill.
inline constexpr double kBlockPitch = kBlockColumnX[1] - kBlockColumnX[0];
inline constexpr double kBoardSide = kBlockColumnX[3] - kBlockColumnX[0] + 2 * kBlockHalf;
inline constexpr double kBoardCentreX = (kBlockColumnX[0] + kBlockColumnX[3]) / 2;
inline constexpr double kBoardCentreY = (kBlockRowY[0] + kBlockRowY[3]) / 2;

// The standard board takes its centres from kBlockColumnX and kBlockRowY as written.
BlockPlace BlockPlaceOf(BoardSize board, int index);
