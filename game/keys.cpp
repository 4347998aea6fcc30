// The keyboard as the game takes it: name entry first, then keyboard play, then the four
// game keys. The window's own keys (F11) never reach here.
#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"

namespace {

// Arrows and Enter act at their key-downs, so a press shorter than a frame still counts. A
// held arrow walks on with the repeats; a held Enter clicks once.
Requests PlayFromKeyboard(int32_t virtualKey, bool repeat)
{
    switch (virtualKey) {
    case kKeyLeft: MoveHighlight(Arrow::Left); break;
    case kKeyRight: MoveHighlight(Arrow::Right); break;
    case kKeyUp: MoveHighlight(Arrow::Up); break;
    case kKeyDown: MoveHighlight(Arrow::Down); break;
    case kKeyEnter:
        if (!repeat)
            return ClickHighlighted();
        break;
    default: break;
    }
    return {};
}

void SetClockToZero()
{
    game.secondsTens = 0;
    game.secondsOnes = 0;
    game.minutes = 0;
}

// The four game keys act at their key-downs, so a tap within one pass is never lost;
// auto-repeat acts again only for R.
void RunGameKey(int32_t virtualKey, bool repeat, Requests* requests)
{
    if (virtualKey == kKeyR) {
        game.clockHeld = true;
        SetClockToZero();
        return;
    }
    if (repeat)
        return;
    switch (virtualKey) {
    case kKeyEscape: requests->quit = true; break;
    case kKeyPageDown: game.blendBlocks = !game.blendBlocks; break;
    case kKeySpace:
        if (!game.gameOver)
            game.paused = !game.paused;
        game.pausedAlpha = 0.0f;
        break;
    default: break;
    }
}

}  // namespace

Requests OnGameKey(int32_t virtualKey, bool repeat)
{
    if (virtualKey <= 0)
        return {};
    // Repeats come here too: each one types again during name entry. A placed score
    // waiting for its name takes the keys first, Enter and the arrows included.
    bool nameWaits = game.gameOver && game.finalRank >= 0;
    Requests requests = nameWaits ? HandleNameKey(virtualKey) : PlayFromKeyboard(virtualKey, repeat);
    RunGameKey(virtualKey, repeat, &requests);
    return requests;
}

void OnGameKeyUp(int32_t virtualKey)
{
    if (virtualKey == kKeyR)
        game.clockHeld = false;
}

void KeepHeldClock()
{
    if (game.clockHeld)
        SetClockToZero();
}
