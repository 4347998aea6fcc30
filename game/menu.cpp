#include "game/constants.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "game/rules.h"

namespace {

void ToggleSound()
{
    game.soundOn = !game.soundOn;
}

void ToggleMode()
{
    game.timeTrial = !game.timeTrial;
}

void RequestNewGame()
{
    ResetRound();
    game.newGameRequested = true;
}

// Mode switches the sound as well, exactly as the Sound button would.
void RunConfirmed(int32_t command)
{
    RequestNewGame();
    if (command != kNameMode)
        return;
    ToggleSound();
    ToggleMode();
}

// Quitting a running game needs a Yes; before the first click or after the end it does not.
Requests RunOrAsk(int32_t command)
{
    Requests requests;
    if (game.clockRunning)
        requests.askQuitGame = command;
    else
        RunConfirmed(command);
    return requests;
}

// The score board stays up once a game is over.
void RunHelp()
{
    if (game.gameOver)
        return;
    game.helpShown = !game.helpShown;
}

}  // namespace

Requests RunMenuCommand(int32_t name)
{
    Requests requests;
    // Every click on New, Mode, Sound or Help pushes its button in, the keyboard's too.
    if (name >= kNameNew && name < kNameNew + kButtonCount)
        game.buttons[name - kNameNew].pressed = true;
    switch (name) {
    case kNameNew:
    case kNameMode: return RunOrAsk(name);
    case kNameSound: ToggleSound(); break;
    case kNameHelp: RunHelp(); break;
    case kNameAbout: requests.showAbout = true; break;
    case kNameExit: requests.quit = true; break;
    default: break;
    }
    return requests;
}

void ConfirmQuitGame(int32_t command)
{
    if (command == kNameNew || command == kNameMode)
        RunConfirmed(command);
}
