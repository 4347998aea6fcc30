// The rules of the two score tables and of the game counter, once: the end of a game, name
// entry and the score file's merge all place scores by them, and the deal, the exit save
// and the score file's reader all keep the counter in the same range. No SDL, no GL.
#pragma once

#include <cstdint>
#include <cstring>

#include "game/game_state.h"

// Entries in one mode's table: slots 0..4 are normal mode, 5..9 time trial.
inline constexpr int kTableSize = 5;
static_assert(kScoreSlots == 2 * kTableSize, "two tables, one per mode");

// The deal divides by the counter; it advances by one a game and wraps from 99 to 1, so
// only 1..99 is ever written.
inline constexpr int32_t kCounterLimit = 99;

inline int32_t NextGameCounter(int32_t counter)
{
    return WrapCounter(counter + 1, kCounterLimit);
}

// The slot a score earns in the table starting at firstSlot: the first entry it beats
// strictly, so an equal score goes below the entries it ties with; -1 when it beats none.
inline int32_t SlotForScore(const int32_t (&values)[kScoreSlots], int32_t firstSlot, int32_t score)
{
    for (int32_t slot = firstSlot; slot < firstSlot + kTableSize; ++slot) {
        if (values[slot] < score)
            return slot;
    }
    return -1;
}

// Makes room at slot (0..9) in its table: the entries from there move down one and the
// table's last drops out. Names are copied up to their terminator, never past a slot.
inline void OpenScoreSlot(int32_t (&values)[kScoreSlots],
                          char (&names)[kScoreSlots][kScoreNameSize], int32_t slot)
{
    if (slot < 0 || slot >= kScoreSlots)
        return;
    int32_t end = slot < kTableSize ? kTableSize : kScoreSlots;
    // Bottom up, so every entry moves before it is overwritten.
    for (int32_t to = end - 1; to > slot; --to) {
        size_t length = strnlen(names[to - 1], kScoreNameSize - 1);
        std::memmove(names[to], names[to - 1], length);
        names[to][length] = '\0';
        values[to] = values[to - 1];
    }
}
