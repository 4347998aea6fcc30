#include "game/game_state.h"
#include "game/rules.h"
#include "game/score_table.h"

namespace {

// Largest divisor that can still map a 15-bit draw to pair 7 (7 * 4681 = 32767). A bigger
// one, or one below 1, could never finish a deal, so such a counter deals as 1 instead.
constexpr int32_t kLargestDealDivisor = 32767 / 7;

// The run-time library's generator state: starts at 1, never seeded.
uint32_t randomState = 1;

int32_t DealDivisor()
{
    if (saved.gameCounter < 1 || saved.gameCounter > kLargestDealDivisor)
        return 1;
    return saved.gameCounter;
}

// Draws until a value 0..7 comes up that is still free for a block.
int32_t DrawFreePair(const int32_t counts[kPairCount], int32_t divisor)
{
    for (;;) {
        int32_t r = (DrawRandom() % (8 * divisor + 1)) / divisor;
        if (r < 0 || r >= kPairCount)
            continue;
        if (counts[r] >= 2)
            continue;
        return r;
    }
}

}  // namespace

int32_t DrawRandom()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFF);
}

void RestartRandom()
{
    randomState = 1;
}

void ShuffleBoard()
{
    int32_t counts[kPairCount] = {};
    int32_t divisor = DealDivisor();
    for (Block& block : game.blocks) {
        int32_t r = DrawFreePair(counts, divisor);
        block.pair = r;
        ++counts[r];
    }
}

void ResetRound()
{
    // No turn-back of the last pair here: every block turns back anyway.
    game.picksInTurn = 0;
    saved.gameCounter = NextGameCounter(saved.gameCounter);
    for (Block& block : game.blocks) {
        block.direction = -1.0f;
        block.animating = true;
    }
    game.reshufflePending = true;
}

namespace {

void ResetForNewGame()
{
    game.minutes = 2;
    game.secondsOnes = 0;
    game.secondsTens = 0;
    game.finalScore = 0;
    game.moves = 0;
    game.pairsOnBoard = 0;
    game.boardsCleared = 0;
    game.clockRunning = false;
    game.gameOver = false;
    game.newGameRequested = false;
    game.helpShown = false;
    // The next finished game may place its own entry.
    game.scoreInserted = false;
}

}  // namespace

void StartNextBoard()
{
    if (game.newGameRequested)
        ResetForNewGame();
    ShuffleBoard();
}
