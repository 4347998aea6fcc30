// Numbers and small tests that more than one part of the game relies on, so that each
// is written once: the rules, the score file, the shell and the tests all include this.
#pragma once

#include <cstdint>

#include "game/game_state.h"

// Entries in one mode's table: slots 0..4 are normal mode, 5..9 time trial.
inline constexpr int kTableSize = 5;
static_assert(kScoreSlots == 2 * kTableSize, "two tables, one per mode");

// Windows virtual-key numbers: the game's own key codes, in which every front end hands
// its keys to the shell and which drive name entry. Plain numbers, so they compare as ints.
enum VirtualKey : int {
    kKeyBackspace = 8, kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32, kKeyPageDown = 34,
    kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40,
    kKeyA = 65, kKeyR = 82, kKeyZ = 90, kKeyF11 = 122,
};

// Pairs found in this game: the ones matched on the board in play and 8 per cleared board.
inline int32_t PairsFound()
{
    return game.pairsOnBoard + kPairCount * game.boardsCleared;
}

// The countdown shows 0:00.
inline bool ClockAtZero()
{
    return game.minutes == 0 && game.secondsTens == 0 && game.secondsOnes == 0;
}
