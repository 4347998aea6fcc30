#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/score_table.h"

namespace {

constexpr int32_t kPairsInNormalGame = 24;  // three boards

bool GameIsOver()
{
    if (game.timeTrial)
        return ClockAtZero();
    return PairsFound() == kPairsInNormalGame;
}

int32_t ComputeScore()
{
    int32_t pairs = PairsFound();
    if (game.timeTrial)
        return pairs * 100 + (pairs * 10) / game.moves;
    return (pairs * 1000) / game.moves;
}

}  // namespace

void CheckGameOver()
{
    // Suspended while the blocks turn back before a deal.
    if (game.reshufflePending)
        return;
    if (!GameIsOver())
        return;
    game.gameOver = true;
    game.helpShown = false;
    game.clockRunning = false;
    // Both formulas divide by the moves; only a time trial can end without one.
    if (game.moves == 0)
        game.moves = 1;
    game.finalScore = ComputeScore();
    game.finalRank = FindRank();
}

int32_t FindRank()
{
    return SlotForScore(saved.scoreValues, ScoreTableOffset(), game.finalScore);
}
