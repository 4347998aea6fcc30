// The window's life, once for every front end: its size and limits, the start sequence
// in it, and the texts of what failed in opening or closing it. The front end carries out
// each step on its window system.
#include "app/shell.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/message_box.h"
#include "render/render.h"

namespace {

const char* OpenFailureText(WindowStep step)
{
    switch (step) {
    case WindowStep::RegisterClass: return "Failed To Register The Window Class.";
    case WindowStep::CreateWindow: return "Window Creation Error.";
    case WindowStep::DeviceContext: return "Can't Create A GL Device Context.";
    case WindowStep::PixelFormat: return "Can't Find A Suitable PixelFormat.";
    case WindowStep::CreateContext: return "Can't Create A GL Rendering Context.";
    case WindowStep::ActivateContext: return "Can't Activate The GL Rendering Context.";
    default: return "Window Creation Error.";
    }
}

const char* CloseFailureText(WindowStep step)
{
    switch (step) {
    case WindowStep::ReleaseContext: return "Release Of DC And RC Failed.";
    case WindowStep::DeleteContext: return "Release Rendering Context Failed.";
    case WindowStep::ReleaseDeviceContext: return "Release Device Context Failed.";
    case WindowStep::DestroyWindow: return "Could Not Release hWnd.";
    case WindowStep::UnregisterClass: return "Could Not Unregister Class.";
    default: return "Could Not Release hWnd.";
    }
}

// A window or context that could not be made: an unowned "ERROR" box, and stderr too, since
// no window is left to own the box and logs should keep it.
void ShowOpenError(const char* text)
{
    std::fprintf(stderr, "ERROR: %s\n", text);
    ShowMessageBox(text, "ERROR", BoxButtons::Ok, BoxIcon::Exclamation, false);
}

// Without a display no box can show either: the reason goes to stderr alone.
void ReportOpenFailure(const WindowFailure& failure)
{
    if (failure.step == WindowStep::Display)
        std::fprintf(stderr, "flipora: cannot open a window: %s; is DISPLAY set?\n",
                     failure.detail.c_str());
    else
        ShowOpenError(OpenFailureText(failure.step));
}

bool FailOpening(FrontEnd& frontEnd, const WindowFailure& failure)
{
    CloseGameWindow(frontEnd);
    ReportOpenFailure(failure);
    return false;
}

}  // namespace

void WindowSizeFor(const DisplayArea& display, int* width, int* height)
{
    double scale = display.scale > 0.0 ? display.scale : 1.0;
    double wide = kWindowWidth * scale;
    double high = kWindowHeight * scale;
    double fit = 1.0;
    if (display.workWidth > 0 && display.workHeight > 0)
        fit = std::min({1.0, display.workWidth / wide, display.workHeight / high});
    *width = std::max(static_cast<int>(std::lround(wide * fit)), kSmallestClientWidth);
    *height = std::max(static_cast<int>(std::lround(high * fit)), kSmallestClientHeight);
}

WindowLimits WindowLimitsFor(const int maxViewport[2])
{
    WindowLimits limits;
    limits.smallestWidth = kSmallestClientWidth;
    limits.smallestHeight = kSmallestClientHeight;
    limits.largestDrawableWidth =
        maxViewport[0] > 0 ? std::min(maxViewport[0], kLargestDrawableSide) : kLargestDrawableSide;
    limits.largestDrawableHeight =
        maxViewport[1] > 0 ? std::min(maxViewport[1], kLargestDrawableSide) : kLargestDrawableSide;
    return limits;
}

bool OpenGameWindow(FrontEnd& frontEnd)
{
    DisplayArea display;
    WindowFailure failure;
    if (!frontEnd.OpenDisplay(&display, &failure))
        return FailOpening(frontEnd, failure);
    WindowRequest request;
    request.title = kWindowTitle;
    request.colourBits = kColourBits;
    WindowSizeFor(display, &request.width, &request.height);
    if (!frontEnd.OpenWindow(request, &failure))
        return FailOpening(frontEnd, failure);
    int maxViewport[2] = {0, 0};
    MaxViewportSize(maxViewport);
    frontEnd.LimitWindow(WindowLimitsFor(maxViewport));
    frontEnd.ShowWindow();

    int drawableWidth = 0;
    int drawableHeight = 0;
    frontEnd.DrawableSize(&drawableWidth, &drawableHeight);
    if (!StartScene(drawableWidth, drawableHeight)) {
        CloseGameWindow(frontEnd);
        ShowOpenError("Initialization Failed.");
        return false;
    }
    return true;
}

void CloseGameWindow(FrontEnd& frontEnd)
{
    for (const WindowFailure& failure : frontEnd.CloseWindow()) {
        const char* text = CloseFailureText(failure.step);
        std::fprintf(stderr, "SHUTDOWN ERROR: %s (%s)\n", text, failure.detail.c_str());
        ShowMessageBox(text, "SHUTDOWN ERROR", BoxButtons::Ok, BoxIcon::Information, false);
    }
}
