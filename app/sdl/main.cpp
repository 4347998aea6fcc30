// The SDL program: the shell runs the game in the SDL front end's window.
#include "app/sdl/sdl_front_end.h"

#include "app/shell.h"
#include "platform/quit_signals.h"

int main(int argc, char** argv)
{
    SdlFrontEnd frontEnd;
    int exitCode = RunGame(argc, argv, frontEnd);
    {
        WindowSystemWait wait;  // a stopped X server may keep it here
        SDL_Quit();
    }
    return exitCode;
}
