#include "app/shell.h"

#include "game/constants.h"
#include "game/game_state.h"

namespace {

// Latched keys act once per press: auto-repeat sets the flag again but not the action.
void CheckEscape()
{
    if (game.keys[kKeyEscape] && !game.escLatch) {
        game.quitRequested = 1;
        game.escLatch = 1;
    }
    if (!game.keys[kKeyEscape])
        game.escLatch = 0;
}

void CheckPageDown()
{
    if (game.keys[kKeyPageDown] && !game.blendKeyLatch) {
        game.blendKeyLatch = 1;
        game.blendBlocks = !game.blendBlocks;
    }
    if (!game.keys[kKeyPageDown])
        game.blendKeyLatch = 0;
}

// R has no latch: it keeps the clock at 0:00 for as long as it is held.
void CheckR()
{
    if (!game.keys[kKeyR])
        return;
    game.secondsTens = 0;
    game.secondsOnes = 0;
    game.minutes = 0;
}

// A finished game cannot be paused, but the press still restarts the banner's fade.
void CheckSpace()
{
    if (game.keys[kKeySpace] && !game.spaceLatch) {
        game.spaceLatch = 1;
        if (!game.gameOver)
            game.paused = !game.paused;
        game.pausedAlpha = 0.0f;
    }
    if (!game.keys[kKeySpace])
        game.spaceLatch = 0;
}

}  // namespace

void CheckKeys()
{
    CheckEscape();
    CheckPageDown();
    CheckR();
    CheckSpace();
}
