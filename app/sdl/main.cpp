// The SDL program: the shell prepares the game, the SDL front end opens the window, and
// the shell plays the game in it until a quit.
#include "app/sdl/sdl_front_end.h"

#include "app/shell.h"
#include "platform/quit_signals.h"

int main(int argc, char** argv)
{
    int exitCode = 0;
    if (!PrepareGame(argc, argv, &exitCode))
        return exitCode;

    if (!OpenMainWindow(kWindowTitle, kWindowWidth, kWindowHeight, kColourBits)) {
        SDL_Quit();
        return 1;  // a failed start is a failure
    }
    // Keys arrive as key events; text events would only fill the queue.
    SDL_StopTextInput();

    SdlFrontEnd frontEnd;
    exitCode = PlayGame(frontEnd);
    CloseMainWindow();
    ReleaseGame();
    {
        WindowSystemWait wait;
        SDL_Quit();
    }
    // A normal quit is a success, a failed save is not.
    return exitCode;
}
