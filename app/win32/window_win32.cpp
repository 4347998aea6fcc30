// The Win32 front end's window: the class, the window and its WGL context, their limits,
// presenting and full screen.
#include "app/win32/win32_front_end.h"

#include <GL/gl.h>
#include <mmsystem.h>

#include <algorithm>
#include <string>

namespace {

const char* const kClassName = "Flipora";
const DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

// The window as it was before F11 made it cover its monitor.
struct Windowed {
    bool full = false;
    LONG style = 0;
    WINDOWPLACEMENT placement{};
};

// The one window of the program, from OpenDisplay to CloseWindow. The window procedure
// reads its limits, so it lives at file level rather than in the front end.
struct MainWindow {
    HINSTANCE instance = nullptr;
    bool classRegistered = false;
    bool timerPeriodSet = false;  // sleeps to the millisecond while the game runs
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC renderContext = nullptr;
    WindowLimits limits;          // none (zeros) until the shell gives them
    Windowed windowed;
} gameWindow;

bool Fail(WindowFailure* failure, WindowStep step)
{
    *failure = {step, "error " + std::to_string(GetLastError())};
    return false;
}

void NoteFailure(std::vector<WindowFailure>* failures, WindowStep step)
{
    failures->push_back({step, "error " + std::to_string(GetLastError())});
}

bool RegisterWindowClass()
{
    WNDCLASSA windowClass{};
    // An own device context: the GL context stays bound to the same one for good.
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = gameWindow.instance;
    windowClass.hIcon = LoadIconA(gameWindow.instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    gameWindow.classRegistered = RegisterClassA(&windowClass) != 0;
    return gameWindow.classRegistered;
}

// A double-buffered RGBA format with a depth buffer, as close to colourBits as the driver has.
bool SetPixelFormatFor(int colourBits)
{
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = static_cast<BYTE>(colourBits);
    wanted.cDepthBits = 16;
    wanted.iLayerType = PFD_MAIN_PLANE;
    int format = ChoosePixelFormat(gameWindow.deviceContext, &wanted);
    if (format == 0)
        return false;
    PIXELFORMATDESCRIPTOR got{};
    DescribePixelFormat(gameWindow.deviceContext, format, sizeof got, &got);
    // Without a depth buffer the board cannot be drawn.
    return got.cDepthBits >= 16 && SetPixelFormat(gameWindow.deviceContext, format, &wanted);
}

// Vsync where the driver offers it; the loop's pacing bounds the rest.
void RequestVsync()
{
    using SwapInterval = BOOL(WINAPI*)(int);
    auto setInterval = reinterpret_cast<SwapInterval>(
        reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    if (setInterval)
        setInterval(1);
}

// The window's outer size for a client area of width x height.
SIZE FrameFor(HWND window, int width, int height)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace

bool OnWindowMessage(HWND window, UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_GETMINMAXINFO: {
        if (gameWindow.limits.smallestWidth <= 0)
            return false;
        // The limits are the client area's (the drawable's, which is the same here); the
        // frame comes around them.
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        SIZE smallest = FrameFor(window, gameWindow.limits.smallestWidth, gameWindow.limits.smallestHeight);
        SIZE largest = FrameFor(window, gameWindow.limits.largestDrawableWidth,
                                gameWindow.limits.largestDrawableHeight);
        limits->ptMinTrackSize = {smallest.cx, smallest.cy};
        limits->ptMaxTrackSize = {std::min(limits->ptMaxTrackSize.x, largest.cx),
                                  std::min(limits->ptMaxTrackSize.y, largest.cy)};
        return true;
    }
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: the size Windows suggests keeps the window's
        // look; the size event that follows resizes the view and the text.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    default:
        return false;
    }
}

bool Win32FrontEnd::OpenDisplay(DisplayArea* display, WindowFailure* failure)
{
    gameWindow.instance = GetModuleHandleA(nullptr);
    // Output caught so far was the game's before its window; from here the window speaks.
    DropCapturedOutput();
    // Sleeps to the millisecond, so that the passes keep their 1/60 s.
    gameWindow.timerPeriodSet = timeBeginPeriod(1) == TIMERR_NOERROR;
    if (!RegisterWindowClass())
        return Fail(failure, WindowStep::RegisterClass);
    RECT work{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        display->workWidth = work.right - work.left;
        display->workHeight = work.bottom - work.top;
    }
    return true;
}

bool Win32FrontEnd::OpenWindow(const WindowRequest& request, WindowFailure* failure)
{
    // The client area is the size asked for; the frame comes on top of it.
    RECT frame = {0, 0, request.width, request.height};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    gameWindow.window = CreateWindowExA(kWindowExStyle, kClassName, request.title, kWindowStyle, 0, 0,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, gameWindow.instance, nullptr);
    if (!gameWindow.window)
        return Fail(failure, WindowStep::CreateWindow);
    gameWindow.deviceContext = GetDC(gameWindow.window);
    if (!gameWindow.deviceContext)
        return Fail(failure, WindowStep::DeviceContext);
    if (!SetPixelFormatFor(request.colourBits))
        return Fail(failure, WindowStep::PixelFormat);
    gameWindow.renderContext = wglCreateContext(gameWindow.deviceContext);
    if (!gameWindow.renderContext)
        return Fail(failure, WindowStep::CreateContext);
    if (!wglMakeCurrent(gameWindow.deviceContext, gameWindow.renderContext))
        return Fail(failure, WindowStep::ActivateContext);
    RequestVsync();
    return true;
}

void Win32FrontEnd::LimitWindow(const WindowLimits& limits)
{
    gameWindow.limits = limits;
}

void Win32FrontEnd::ShowWindow()
{
    ::ShowWindow(gameWindow.window, SW_SHOW);
    SetForegroundWindow(gameWindow.window);
    SetFocus(gameWindow.window);
}

void Win32FrontEnd::DrawableSize(int* width, int* height)
{
    RECT client{};
    GetClientRect(gameWindow.window, &client);
    *width = client.right;
    *height = client.bottom;
}

std::vector<WindowFailure> Win32FrontEnd::CloseWindow()
{
    std::vector<WindowFailure> failures;
    if (gameWindow.renderContext) {
        if (!wglMakeCurrent(nullptr, nullptr))
            NoteFailure(&failures, WindowStep::ReleaseContext);
        if (!wglDeleteContext(gameWindow.renderContext))
            NoteFailure(&failures, WindowStep::DeleteContext);
        gameWindow.renderContext = nullptr;
    }
    if (gameWindow.deviceContext) {
        if (!ReleaseDC(gameWindow.window, gameWindow.deviceContext))
            NoteFailure(&failures, WindowStep::ReleaseDeviceContext);
        gameWindow.deviceContext = nullptr;
    }
    if (gameWindow.window) {
        if (!DestroyWindow(gameWindow.window))
            NoteFailure(&failures, WindowStep::DestroyWindow);
        gameWindow.window = nullptr;
    }
    if (gameWindow.classRegistered) {
        if (!UnregisterClassA(kClassName, gameWindow.instance))
            NoteFailure(&failures, WindowStep::UnregisterClass);
        gameWindow.classRegistered = false;
    }
    if (gameWindow.timerPeriodSet) {
        timeEndPeriod(1);
        gameWindow.timerPeriodSet = false;
    }
    return failures;
}

void Win32FrontEnd::Present()
{
    SwapBuffers(gameWindow.deviceContext);
}

// F11: a borderless window covering its monitor, and back to the window it was.
void Win32FrontEnd::ToggleFullScreen()
{
    HWND window = gameWindow.window;
    Windowed& windowed = gameWindow.windowed;
    if (!window)
        return;
    if (!windowed.full) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        windowed.placement.length = sizeof windowed.placement;
        if (!GetWindowPlacement(window, &windowed.placement) ||
            !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
            return;
        windowed.style = GetWindowLongA(window, GWL_STYLE);
        windowed.full = true;
        SetWindowLongA(window, GWL_STYLE, (windowed.style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
        const RECT& area = monitor.rcMonitor;
        SetWindowPos(window, HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
        return;
    }
    windowed.full = false;
    SetWindowLongA(window, GWL_STYLE, windowed.style);
    SetWindowPlacement(window, &windowed.placement);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}
