// The SDL front end's window: its life, limits, presenting and full screen.
#include "app/sdl/sdl_front_end.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/sdl/video_driver.h"
#include "app/shell.h"
#include "platform/lost_display.h"
#include "platform/quit_signals.h"

namespace {

// SDL takes the visual before the window exists.
void RequestPixelFormat(int colourBits)
{
    int channelBits = colourBits >= 24 ? 8 : colourBits / 3;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

// What the driver actually gave. A single buffer (an offscreen surface) still draws;
// without a depth buffer the board cannot.
bool PixelFormatIsSuitable()
{
    int depthBits = 0;
    if (SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depthBits) != 0)
        return false;
    return depthBits >= 16;
}

// Window sizes are in points; on a high-density display a point is several pixels.
int PointsFor(int pixels, int points, int drawable)
{
    if (points <= 0 || drawable <= 0)
        return pixels;
    return static_cast<int>(static_cast<int64_t>(pixels) * points / drawable);
}

bool Fail(WindowFailure* failure, WindowStep step)
{
    *failure = {step, SDL_GetError()};
    return false;
}

}  // namespace

bool SdlFrontEnd::OpenDisplay(DisplayArea* display, WindowFailure* failure)
{
    // The desktop matches the window to its menu entry by this name (the entry's
    // StartupWMClass): SDL reads it as video starts, as the X11 class or the Wayland app id.
    setenv("SDL_VIDEO_X11_WMCLASS", FLIPORA_APP_ID, 0);
    std::string reason;
    bool started = false;
    {
        WindowSystemWait wait;  // a display that accepts and never answers keeps it here
        started = StartVisibleVideo(&reason);
    }
    if (!started) {
        *failure = {WindowStep::Display, reason};
        return false;
    }
    videoStarted_ = true;
    WatchForLostDisplay(OnDisplayLost);
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        display->workWidth = usable.w;
        display->workHeight = usable.h;
    }
    return true;
}

bool SdlFrontEnd::OpenWindow(const WindowRequest& request, WindowFailure* failure)
{
    // A click that gives the window the focus also acts; SDL would otherwise drop it
    // (for instance the first click after a message box).
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The close request posts its own quit event (PostQuit); SDL's would be a second.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    RequestPixelFormat(request.colourBits);
    // On a high-density display the drawable has more pixels than the window has units:
    // the scene and its text are drawn at the drawable's size, and clicks are scaled to it.
    {
        WindowSystemWait wait;
        window_ = SDL_CreateWindow(request.title, 0, 0, request.width, request.height,
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN |
                                       SDL_WINDOW_ALLOW_HIGHDPI);
    }
    if (!window_)
        return Fail(failure, WindowStep::CreateWindow);
    context_ = SDL_GL_CreateContext(window_);
    if (!context_)
        return Fail(failure, WindowStep::CreateContext);
    if (SDL_GL_MakeCurrent(window_, context_) != 0)
        return Fail(failure, WindowStep::ActivateContext);
    if (!PixelFormatIsSuitable())
        return Fail(failure, WindowStep::PixelFormat);
    // Vsync where the driver offers it; the frame pacing of the loop bounds the rest.
    SDL_GL_SetSwapInterval(1);
    return true;
}

void SdlFrontEnd::LimitWindow(const WindowLimits& limits)
{
    limits_ = limits;
    int width = 0, height = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(window_, &width, &height);
    SDL_GL_GetDrawableSize(window_, &pixelWidth, &pixelHeight);
    SDL_SetWindowMaximumSize(window_, PointsFor(limits.largestDrawableWidth, width, pixelWidth),
                             PointsFor(limits.largestDrawableHeight, height, pixelHeight));
    SDL_SetWindowMinimumSize(window_, limits.smallestWidth, limits.smallestHeight);
}

void SdlFrontEnd::ShowWindow()
{
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // Keys arrive as key events; text events would only fill the queue.
    SDL_StopTextInput();
}

void SdlFrontEnd::DrawableSize(int* width, int* height)
{
    SDL_GL_GetDrawableSize(window_, width, height);
}

bool SdlFrontEnd::FitToLimits()
{
    // Full screen is the display's size; SDL would only change the windowed size. A
    // minimised window keeps the size it will come back with. No limits, no window yet.
    if (!window_ || limits_.largestDrawableWidth <= 0 ||
        (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED)))
        return false;
    int pixelWidth = 0, pixelHeight = 0, width = 0, height = 0;
    SDL_GL_GetDrawableSize(window_, &pixelWidth, &pixelHeight);
    SDL_GetWindowSize(window_, &width, &height);
    if (width <= 0 || height <= 0)
        return false;  // none with a size yet
    int fitWidth = pixelWidth > limits_.largestDrawableWidth
                       ? PointsFor(limits_.largestDrawableWidth, width, pixelWidth)
                       : std::max(width, limits_.smallestWidth);
    int fitHeight = pixelHeight > limits_.largestDrawableHeight
                        ? PointsFor(limits_.largestDrawableHeight, height, pixelHeight)
                        : std::max(height, limits_.smallestHeight);
    if (fitWidth == width && fitHeight == height)
        return false;
    SDL_SetWindowSize(window_, fitWidth, fitHeight);
    return true;
}

std::vector<WindowFailure> SdlFrontEnd::CloseWindow()
{
    WindowSystemWait wait;  // a stopped X server may keep it here: a quit signal still ends
    std::vector<WindowFailure> failures;
    if (context_) {
        if (SDL_GL_MakeCurrent(window_, nullptr) != 0)
            failures.push_back({WindowStep::ReleaseContext, SDL_GetError()});
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (videoStarted_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted_ = false;
    }
    return failures;
}

void SdlFrontEnd::Present()
{
    WindowSystemWait wait;
    SDL_GL_SwapWindow(window_);
}

// F11: full screen on the window's display at the desktop's resolution, and back to
// the size the window had.
void SdlFrontEnd::ToggleFullScreen()
{
    if (!window_)
        return;
    bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                SDL_WINDOW_FULLSCREEN_DESKTOP;
    // SDL keeps the windowed size and gives it back; the size event resizes the view.
    if (SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        std::fprintf(stderr, "flipora: full screen failed: %s\n", SDL_GetError());
}
