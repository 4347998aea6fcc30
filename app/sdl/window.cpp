#include "app/sdl/sdl_front_end.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/sdl/video_driver.h"
#include "app/shell.h"
#include "platform/lost_display.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "render/render.h"
#include "scores/scores.h"

SDL_Window* mainWindow = nullptr;
SDL_GLContext mainContext = nullptr;

namespace {

bool videoStarted = false;  // SDL's video subsystem, our counterpart of the window class

// The largest drawable the GL can draw into, in pixels. Beyond it the software renderer
// freezes (16384 square took 2.1 GB) or crashes, and no display needs more than 8192.
constexpr int kLargestSide = 8192;
int largestDrawable[2] = {kLargestSide, kLargestSide};

void ShowShutdownError(const char* text)
{
    std::fprintf(stderr, "SHUTDOWN ERROR: %s (%s)\n", text, SDL_GetError());
    ShowMessageBox(text, "SHUTDOWN ERROR", BoxButtons::Ok, BoxIcon::Information, false);
}

bool FailOpening(const char* text)
{
    CloseMainWindow();
    ShowOpenError(text);
    return false;
}

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

void CapWindowSize()
{
    GLint dims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
    for (int i = 0; i < 2; ++i)
        largestDrawable[i] = dims[i] > 0 ? std::min<int>(dims[i], kLargestSide) : kLargestSide;
    int width = 0, height = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(mainWindow, &width, &height);
    SDL_GL_GetDrawableSize(mainWindow, &pixelWidth, &pixelHeight);
    SDL_SetWindowMaximumSize(mainWindow, PointsFor(largestDrawable[0], width, pixelWidth),
                             PointsFor(largestDrawable[1], height, pixelHeight));
    SDL_SetWindowMinimumSize(mainWindow, kSmallestClientWidth, kSmallestClientHeight);
}

}  // namespace

bool OpenMainWindow(const char* title, int width, int height, int colourBits)
{
    // The desktop matches the window to its menu entry by this name (the entry's
    // StartupWMClass): SDL reads it as video starts, as the X11 class or the Wayland app id.
    setenv("SDL_VIDEO_X11_WMCLASS", FLIPORA_APP_ID, 0);
    // Without a video device no box can show either: the reason goes to stderr alone.
    std::string reason;
    bool started = false;
    {
        WindowSystemWait wait;  // a display that accepts and never answers keeps it here
        started = StartVisibleVideo(&reason);
    }
    if (!started) {
        std::fprintf(stderr, "flipora: cannot open a window: %s; is DISPLAY set?\n", reason.c_str());
        return false;
    }
    videoStarted = true;
    WatchForLostDisplay(OnDisplayLost);

    // A click that gives the window the focus also acts; SDL would otherwise drop it
    // (for instance the first click after a message box).
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The close request posts its own quit event (events.cpp); SDL's would be a second.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    RequestPixelFormat(colourBits);
    // On a high-density display the drawable has more pixels than the window has units:
    // the scene and its text are drawn at the drawable's size, and clicks are scaled to it.
    {
        WindowSystemWait wait;
        mainWindow = SDL_CreateWindow(title, 0, 0, width, height,
                                      SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE |
                                          SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    }
    if (!mainWindow)
        return FailOpening("Window Creation Error.");

    mainContext = SDL_GL_CreateContext(mainWindow);
    if (!mainContext)
        return FailOpening("Can't Create A GL Rendering Context.");
    if (SDL_GL_MakeCurrent(mainWindow, mainContext) != 0)
        return FailOpening("Can't Activate The GL Rendering Context.");
    if (!PixelFormatIsSuitable())
        return FailOpening("Can't Find A Suitable PixelFormat.");
    // Vsync where the driver offers it; the frame pacing of the loop bounds the rest.
    SDL_GL_SetSwapInterval(1);
    CapWindowSize();

    SDL_ShowWindow(mainWindow);
    SDL_RaiseWindow(mainWindow);

    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(mainWindow, &drawableWidth, &drawableHeight);
    if (!StartScene(drawableWidth, drawableHeight))
        return FailOpening("Initialization Failed.");
    return true;
}

bool FitToAllowedSize()
{
    // Full screen is the display's size; SDL would only change the windowed size. A
    // minimised window keeps the size it will come back with.
    if (SDL_GetWindowFlags(mainWindow) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED))
        return false;
    int pixelWidth = 0, pixelHeight = 0, width = 0, height = 0;
    SDL_GL_GetDrawableSize(mainWindow, &pixelWidth, &pixelHeight);
    SDL_GetWindowSize(mainWindow, &width, &height);
    if (width <= 0 || height <= 0)
        return false;  // no window, or none with a size yet
    int fitWidth = pixelWidth > largestDrawable[0]
                       ? PointsFor(largestDrawable[0], width, pixelWidth)
                       : std::max(width, kSmallestClientWidth);
    int fitHeight = pixelHeight > largestDrawable[1]
                        ? PointsFor(largestDrawable[1], height, pixelHeight)
                        : std::max(height, kSmallestClientHeight);
    if (fitWidth == width && fitHeight == height)
        return false;
    SDL_SetWindowSize(mainWindow, fitWidth, fitHeight);
    return true;
}

void CloseMainWindow()
{
    WindowSystemWait wait;  // a stopped X server may keep it here: a quit signal still ends
    if (mainContext) {
        if (SDL_GL_MakeCurrent(mainWindow, nullptr) != 0)
            ShowShutdownError("Release Of DC And RC Failed.");
        SDL_GL_DeleteContext(mainContext);
        mainContext = nullptr;
    }
    if (mainWindow) {
        SDL_DestroyWindow(mainWindow);
        mainWindow = nullptr;
    }
    if (videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        videoStarted = false;
    }
}

void ToggleFullScreen()
{
    if (!mainWindow)
        return;
    bool full = (SDL_GetWindowFlags(mainWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                SDL_WINDOW_FULLSCREEN_DESKTOP;
    // SDL keeps the windowed size and gives it back; the size event resizes the view.
    if (SDL_SetWindowFullscreen(mainWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        std::fprintf(stderr, "flipora: full screen failed: %s\n", SDL_GetError());
}
