// The Win32 front end: a window class and window procedure, a WGL context, the message
// queue turned into the shell's handlers. The only code that talks to the window system
// on Windows.
#pragma once

#include <windows.h>

#include "app/front_end.h"

// Registers the window class, opens the window with a client area of width x height,
// sets the pixel format, makes a WGL context current and starts the scene. On failure
// the error has been shown, everything is released and the caller ends the program
// without saving.
bool OpenMainWindow(const char* title, int width, int height, int colourBits);

// Releases whatever of context, device context, window and class exists; shows each
// failure and goes on.
void CloseMainWindow();

// F11: a borderless window covering its monitor, and back to the window it was.
void ToggleFullScreen();

// Everything the window procedure hands to the shell; the rest goes to DefWindowProcA.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32FrontEnd : public FrontEnd {
public:
    bool DispatchOneEvent() override;
    uint64_t PerformanceCounter() override;
    uint64_t PerformanceFrequency() override;
    void Sleep(uint32_t milliseconds) override;
    void Present() override;
    bool ShowBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon) override;
    void PlayClick() override;
    void ToggleFullScreen() override;
    bool PostQuit() override;
};
