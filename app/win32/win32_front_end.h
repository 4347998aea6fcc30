// The Win32 front end: a window class and window procedure, a WGL context, the message
// queue turned into the shell's records. The only code that talks to the window system
// on Windows.
#pragma once

#include <windows.h>

#include "app/front_end.h"

// The record a window message stands for; false for a message the game has no record for.
bool EventFromMessage(UINT message, WPARAM wParam, LPARAM lParam, Event* record);

// Everything the window procedure hands to the shell; the rest goes to DefWindowProcA.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the window itself answers from its first message on, whether or not the game plays
// yet (its limits, a new monitor's scale); true when the message is answered.
bool OnWindowMessage(HWND window, UINT message, LPARAM lParam);

// A windowed program has no console of its own. Output already redirected (or handed on,
// as Wine does) stays where it goes; started from a console, the text goes there;
// otherwise it is caught in a file, to be shown in a box should the game end before its
// window. First thing in WinMain.
void FindConsole();
// The game ended before its window: what it printed, in a box.
void ShowCapturedOutput(int exitCode);
// Once the window opens, nothing more of the caught output is shown; the file goes.
void DropCapturedOutput();

class Win32FrontEnd : public FrontEnd {
public:
    bool OpenDisplay(DisplayArea* display, WindowFailure* failure) override;
    bool OpenWindow(const WindowRequest& request, WindowFailure* failure) override;
    void LimitWindow(const WindowLimits& limits) override;
    void ShowWindow() override;
    void DrawableSize(int* width, int* height) override;
    std::vector<WindowFailure> CloseWindow() override;
    bool DispatchOneEvent() override;
    void Present() override;
    void ToggleFullScreen() override;
    bool PostQuit() override;
};
