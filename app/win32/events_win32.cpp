// The window procedure: Windows' messages turned into the shell's handlers, and the queue
// the loop takes them from one at a time.
#include "app/win32/win32_front_end.h"

#include <windowsx.h>

#include "app/shell.h"
#include "platform/message_box.h"
#include "platform/sound.h"

namespace {

// The shell hears of the window only once the game plays in it (PlayGame sets the front
// end); what comes while the window is being made is the opening itself.
bool ShellListens()
{
    return shell.frontEnd != nullptr;
}

LRESULT OnKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    int virtualKey = static_cast<int>(wParam);
    switch (message) {
    case WM_KEYDOWN:
        OnKeyDown(virtualKey, (lParam & (1L << 30)) != 0);  // bit 30: it was down already
        return 0;
    case WM_KEYUP:
        OnKeyUp(virtualKey);
        return 0;
    case WM_SYSKEYUP:
        OnKeyUp(virtualKey);
        break;
    default:
        break;  // system keys (Alt held, F10) keep their meaning for the window
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// What the window needs from its first message on, whether or not the game plays yet.
bool OnWindowMessage(HWND window, UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_GETMINMAXINFO: {
        // The smallest client area where the text still reads, with the frame around it.
        RECT frame = {0, 0, kSmallestClientWidth, kSmallestClientHeight};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
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

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (OnWindowMessage(window, message, lParam))
        return 0;
    if (!ShellListens())
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return OnKeyMessage(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnMouseDown(message == WM_LBUTTONDOWN, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        OnPictureLost();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the next frame covers it all
    case WM_SETFOCUS:
        OnFocusGained();
        return 0;
    case WM_KILLFOCUS:
        OnFocusLost();
        return 0;
    case WM_CLOSE:
        OnCloseRequest();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The process may end as soon as this returns: the scores are saved now.
        if (wParam)
            SaveScoresAtExit(false);
        return 0;
    case WM_SYSCOMMAND:
        // No screen saver or monitor sleep in the middle of a game.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER)
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool Win32FrontEnd::DispatchOneEvent()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        OnQuit();
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

uint64_t Win32FrontEnd::PerformanceCounter()
{
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return static_cast<uint64_t>(counter.QuadPart);
}

uint64_t Win32FrontEnd::PerformanceFrequency()
{
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<uint64_t>(frequency.QuadPart);
}

void Win32FrontEnd::Sleep(uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}

bool Win32FrontEnd::ShowBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon)
{
    return ShowMessageBox(text, title, buttons, icon, true);
}

void Win32FrontEnd::PlayClick()
{
    PlayClickSound();
}

// The quit goes behind the messages already queued; the loop ends when it takes it.
bool Win32FrontEnd::PostQuit()
{
    PostQuitMessage(0);
    return true;
}
