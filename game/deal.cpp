#include <vector>

#include "game/board.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/score_table.h"

namespace {

// The largest possible draw: the generator gives 15 bits.
constexpr int32_t kLargestDraw = 32767;

// The run-time library's generator state: starts at 1, never seeded.
uint32_t randomState = 1;

// The counter divides the draws. One that cannot (below 1), or one too big to ever draw
// the last pair ((pairs - 1) * counter must stay a draw), deals as 1 instead.
int32_t DealDivisor(int32_t counter, int32_t pairs)
{
    int32_t largest = pairs > 1 ? kLargestDraw / (pairs - 1) : kLargestDraw;
    if (counter < 1 || counter > largest)
        return 1;
    return counter;
}

// Draws until a pair comes up that is still free for a block: of the pairs * divisor + 1
// residues, each pair takes divisor of them and the last one is drawn again.
int32_t DrawFreePair(const std::vector<int32_t>& counts, int32_t divisor)
{
    int32_t pairs = static_cast<int32_t>(counts.size());
    for (;;) {
        int32_t r = (DrawRandom() % (pairs * divisor + 1)) / divisor;
        if (r < 0 || r >= pairs)
            continue;
        if (counts[static_cast<size_t>(r)] >= 2)
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

void DealPairs(BoardSize board, int32_t counter, int32_t* pairs)
{
    std::vector<int32_t> counts(static_cast<size_t>(board.Pairs()), 0);
    int32_t divisor = DealDivisor(counter, board.Pairs());
    for (int i = 0; i < board.Blocks(); ++i) {
        int32_t r = DrawFreePair(counts, divisor);
        pairs[i] = r;
        ++counts[static_cast<size_t>(r)];
    }
}

void ShuffleBoard()
{
    int32_t pairs[kBlockCount];
    DealPairs(kStandardBoard, saved.gameCounter, pairs);
    for (int i = 0; i < kBlockCount; ++i)
        game.blocks[i].pair = pairs[i];
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

void StartFirstGame()
{
    for (Block& block : game.blocks)
        block.direction = 1.0f;
    for (MenuButton& button : game.buttons)
        button.direction = 1.0f;
    ShuffleBoard();
}

void StartNextBoard()
{
    // A new game: the round starts again, and so may the next finished game place its entry.
    if (game.newGameRequested)
        static_cast<GameRound&>(game) = GameRound{};
    ShuffleBoard();
}
