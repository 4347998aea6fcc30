// The SDL front end: the window and its GL context, and SDL's events turned into the
// shell's records. The only code that talks to SDL's video and event API.
#pragma once

#include <SDL.h>

#include "app/front_end.h"

// The Windows virtual-key number of an SDL key, 0 for keys the game has no number for.
int VirtualKeyFromSdl(SDL_Keycode key);

// The record an SDL event stands for, in the drawable's pixels of window (whose points
// differ from them on a high-density display; none: taken as they are). False for an
// event the game has no record for.
bool EventFromSdl(const SDL_Event& event, SDL_Window* window, Event* record);

class SdlFrontEnd : public FrontEnd {
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

private:
    // Without a window manager to honour the limits, a window made smaller or larger anyway
    // is sized back here; true when it was (the view then follows the next size change).
    bool FitToLimits();

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool videoStarted_ = false;  // SDL's video subsystem, our counterpart of the window class
    WindowLimits limits_;
};
