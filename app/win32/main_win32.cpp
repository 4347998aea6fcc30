// The Windows program: the shell runs the game in the Win32 front end's window.
#include <windows.h>

#include "app/shell.h"
#include "app/win32/win32_front_end.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    FindConsole();
    Win32FrontEnd frontEnd;
    int exitCode = RunGame(__argc, __argv, frontEnd);
    // Shown only when the game ended before its window (its opening drops the output).
    ShowCapturedOutput(exitCode);
    DropCapturedOutput();
    return exitCode;
}
