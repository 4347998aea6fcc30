#include "game/game_state.h"

#include "game/scene_layout.h"

GameState game;
SavedScores saved;

namespace {

struct BlockCentres {
    float at[kBlockCount][3];
};

// The layout's decimals converted, never computed from one another, so every block sits at
// the same float centre on every build; picking and drawing both read this table.
constexpr BlockCentres BlockCentresFromLayout()
{
    BlockCentres centres{};
    for (int i = 0; i < kBlockCount; ++i) {
        centres.at[i][0] = static_cast<float>(kBlockColumnX[i % 4]);
        centres.at[i][1] = static_cast<float>(kBlockRowY[i / 4]);
        centres.at[i][2] = static_cast<float>(kBlockZ);
    }
    return centres;
}

constexpr BlockCentres blockCentres = BlockCentresFromLayout();

}  // namespace

const float (&blockPositions)[kBlockCount][3] = blockCentres.at;

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
