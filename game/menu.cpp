#include "game/constants.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "game/rules.h"
#include "platform/message_box.h"

namespace {

// Quitting a running game needs a Yes; before the first click or after the end it does not.
bool ConfirmQuitGame()
{
    if (!game.clockRunning)
        return true;
    return ShowMessageBox("Are you sure you want to quit current game?", "Quit Game",
                          BoxButtons::YesNo, BoxIcon::Exclamation, true);
}

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

void RunNew()
{
    game.buttons[0].pressed = game.mouseDown;
    if (!ConfirmQuitGame())
        return;
    RequestNewGame();
}

// Mode switches the sound as well, exactly as the Sound button would.
void RunMode()
{
    game.buttons[1].pressed = game.mouseDown;
    if (!ConfirmQuitGame())
        return;
    RequestNewGame();
    ToggleSound();
    ToggleMode();
}

void RunSound()
{
    game.buttons[2].pressed = game.mouseDown;
    ToggleSound();
}

// The score board stays up once a game is over.
void RunHelp()
{
    game.buttons[3].pressed = game.mouseDown;
    if (game.gameOver)
        return;
    game.helpShown = !game.helpShown;
}

void RunAbout()
{
    ShowMessageBox(kAboutText, "About Flipora", BoxButtons::Ok, BoxIcon::Information, true);
}

}  // namespace

void RunMenuCommand(int32_t name)
{
    switch (name) {
    case kNameNew: RunNew(); break;
    case kNameMode: RunMode(); break;
    case kNameSound: RunSound(); break;
    case kNameHelp: RunHelp(); break;
    case kNameAbout: RunAbout(); break;
    case kNameExit: game.quitRequested = true; break;
    default: break;
    }
}
