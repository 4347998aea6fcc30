#include "game/game_state.h"

GameState game;

// Written out as decimals rather than computed, so every block sits at the same float
// centre on every build; picking and drawing both read this table.
const float blockPositions[kBlockCount][3] = {
    {-14.0f, 9.6f, -50.0f},  {-7.6f, 9.6f, -50.0f},  {-1.2f, 9.6f, -50.0f},  {5.2f, 9.6f, -50.0f},
    {-14.0f, 3.2f, -50.0f},  {-7.6f, 3.2f, -50.0f},  {-1.2f, 3.2f, -50.0f},  {5.2f, 3.2f, -50.0f},
    {-14.0f, -3.2f, -50.0f}, {-7.6f, -3.2f, -50.0f}, {-1.2f, -3.2f, -50.0f}, {5.2f, -3.2f, -50.0f},
    {-14.0f, -9.6f, -50.0f}, {-7.6f, -9.6f, -50.0f}, {-1.2f, -9.6f, -50.0f}, {5.2f, -9.6f, -50.0f},
};

int32_t WrapCounter(int32_t a, int32_t b)
{
    if (a < 0)
        return a + b;
    if (a > b)
        return a - b;
    return a;
}

float ClampFloat(float lo, float hi, float v)
{
    if (v >= hi)
        return hi;
    if (v > lo)
        return v;
    return lo;  // also NaN, which fails both comparisons
}
