#include "app/win32/win32_front_end.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/shell.h"
#include "platform/message_box.h"

namespace {

const char* const kClassName = "Flipora";

HINSTANCE instance = nullptr;
bool classRegistered = false;
HWND mainWindow = nullptr;
HDC deviceContext = nullptr;
HGLRC renderContext = nullptr;

// The window as it was before F11 made it cover its monitor.
struct Windowed {
    bool full = false;
    LONG style = 0;
    WINDOWPLACEMENT placement{};
} windowed;

const DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

void ShowShutdownError(const char* text)
{
    std::fprintf(stderr, "SHUTDOWN ERROR: %s (error %lu)\n", text, GetLastError());
    ShowMessageBox(text, "SHUTDOWN ERROR", BoxButtons::Ok, BoxIcon::Information, false);
}

bool FailOpening(const char* text)
{
    CloseMainWindow();
    ShowOpenError(text);
    return false;
}

bool RegisterWindowClass()
{
    WNDCLASSA windowClass{};
    // An own device context: the GL context stays bound to the same one for good.
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    classRegistered = RegisterClassA(&windowClass) != 0;
    return classRegistered;
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
    int format = ChoosePixelFormat(deviceContext, &wanted);
    if (format == 0)
        return false;
    PIXELFORMATDESCRIPTOR got{};
    DescribePixelFormat(deviceContext, format, sizeof got, &got);
    // Without a depth buffer the board cannot be drawn.
    return got.cDepthBits >= 16 && SetPixelFormat(deviceContext, format, &wanted);
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

}  // namespace

bool OpenMainWindow(const char* title, int width, int height, int colourBits)
{
    instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass()) {
        ShowOpenError("Failed To Register The Window Class.");
        return false;
    }
    // The client area is width x height; the frame comes on top of it.
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    mainWindow = CreateWindowExA(kWindowExStyle, kClassName, title, kWindowStyle, 0, 0,
                                 frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                 instance, nullptr);
    if (!mainWindow)
        return FailOpening("Window Creation Error.");
    deviceContext = GetDC(mainWindow);
    if (!deviceContext)
        return FailOpening("Can't Create A GL Device Context.");
    if (!SetPixelFormatFor(colourBits))
        return FailOpening("Can't Find A Suitable PixelFormat.");
    renderContext = wglCreateContext(deviceContext);
    if (!renderContext)
        return FailOpening("Can't Create A GL Rendering Context.");
    if (!wglMakeCurrent(deviceContext, renderContext))
        return FailOpening("Can't Activate The GL Rendering Context.");
    RequestVsync();

    ShowWindow(mainWindow, SW_SHOW);
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);

    RECT client{};
    GetClientRect(mainWindow, &client);
    if (!StartScene(client.right, client.bottom))
        return FailOpening("Initialization Failed.");
    return true;
}

void CloseMainWindow()
{
    if (renderContext) {
        if (!wglMakeCurrent(nullptr, nullptr))
            ShowShutdownError("Release Of DC And RC Failed.");
        if (!wglDeleteContext(renderContext))
            ShowShutdownError("Release Rendering Context Failed.");
        renderContext = nullptr;
    }
    if (deviceContext) {
        if (!ReleaseDC(mainWindow, deviceContext))
            ShowShutdownError("Release Device Context Failed.");
        deviceContext = nullptr;
    }
    if (mainWindow) {
        if (!DestroyWindow(mainWindow))
            ShowShutdownError("Could Not Release hWnd.");
        mainWindow = nullptr;
    }
    if (classRegistered) {
        if (!UnregisterClassA(kClassName, instance))
            ShowShutdownError("Could Not Unregister Class.");
        classRegistered = false;
    }
}

void ToggleFullScreen()
{
    if (!mainWindow)
        return;
    if (!windowed.full) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        windowed.placement.length = sizeof windowed.placement;
        if (!GetWindowPlacement(mainWindow, &windowed.placement) ||
            !GetMonitorInfoA(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTOPRIMARY), &monitor))
            return;
        windowed.style = GetWindowLongA(mainWindow, GWL_STYLE);
        windowed.full = true;
        SetWindowLongA(mainWindow, GWL_STYLE, (windowed.style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP);
        const RECT& area = monitor.rcMonitor;
        SetWindowPos(mainWindow, HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
        return;
    }
    windowed.full = false;
    SetWindowLongA(mainWindow, GWL_STYLE, windowed.style);
    SetWindowPlacement(mainWindow, &windowed.placement);
    SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
}

void Win32FrontEnd::Present()
{
    SwapBuffers(deviceContext);
}

void Win32FrontEnd::ToggleFullScreen()
{
    ::ToggleFullScreen();
}
