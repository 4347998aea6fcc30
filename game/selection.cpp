#include "game/game_state.h"
#include "game/rules.h"

namespace {

// A mismatched pair waits face up until the next accepted pick turns it back.
void TurnBackMismatch()
{
    Block& first = game.blocks[game.firstPick];
    Block& second = game.blocks[game.secondPick];
    if (first.pair == second.pair)
        return;
    first.direction = ToggleDirection(first.direction);
    second.direction = ToggleDirection(second.direction);
}

void CompleteTurn(int32_t index)
{
    game.secondPick = index;
    if (game.blocks[game.firstPick].pair == game.blocks[game.secondPick].pair)
        ++game.pairsOnBoard;
    ++game.moves;
    if (game.pairsOnBoard <= 0 || game.pairsOnBoard % kPairCount != 0)
        return;
    ++game.boardsCleared;
    game.pairsOnBoard = 0;
    game.boardCleared = true;
    game.lastPickOfBoard = index;
}

}  // namespace

Requests OnBlockName(int32_t name)
{
    if (name < kNameFirstBlock || name >= kNameFirstBlock + kBlockCount)
        return {};
    return ClickBlock(name - kNameFirstBlock);
}

Requests ClickBlock(int32_t index)
{
    if (index < 0 || index >= kBlockCount)
        return {};
    // Even an ignored click hides the help and starts a stopped clock.
    game.helpShown = false;
    if (!game.clockRunning) {
        game.clockRunning = true;
        game.gameOverAlpha = 0.0f;
    }
    if (game.gameOver)
        return {};
    // Turning or face up (first pick, waiting mismatch, matched pair): not clickable.
    if (game.blocks[index].animating)
        return {};
    return SelectBlock(index);
}

Requests SelectBlock(int32_t index)
{
    Requests requests;
    game.paused = false;
    game.pausedAlpha = 0.0f;
    requests.playClick = game.soundOn;
    game.blocks[index].animating = true;
    if (game.picksInTurn == 2) {
        game.picksInTurn = 0;
        TurnBackMismatch();
    }
    ++game.picksInTurn;
    if (game.picksInTurn <= 1)
        game.firstPick = index;
    else
        CompleteTurn(index);
    return requests;
}
