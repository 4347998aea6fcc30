// The window procedure: Windows' messages turned into the shell's records, and the queue
// the loop takes them from one at a time.
#include "app/win32/win32_front_end.h"

#include <windowsx.h>

#include "app/shell.h"

namespace {

// The shell hears of the window only once the game plays in it (PlayGame sets the front
// end); what comes while the window is being made is the opening itself.
bool ShellListens()
{
    return shell.frontEnd != nullptr;
}

// What the window procedure answers once the shell took the message's record, if any.
// System keys (Alt held, F10) keep their meaning for the window.
LRESULT Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_CLOSE:
    case WM_ENDSESSION:
        return 0;
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the next frame covers it all
    case WM_QUERYENDSESSION:
        return TRUE;
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

}  // namespace

bool EventFromMessage(UINT message, WPARAM wParam, LPARAM lParam, Event* record)
{
    *record = Event{};
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        record->kind = Event::Kind::KeyDown;
        record->key = static_cast<int>(wParam);
        record->repeat = (lParam & (1L << 30)) != 0;  // bit 30: it was down already
        record->system = message == WM_SYSKEYDOWN;
        return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        record->kind = Event::Kind::KeyUp;
        record->key = static_cast<int>(wParam);
        record->system = message == WM_SYSKEYUP;
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        record->kind = Event::Kind::MouseDown;
        record->left = message == WM_LBUTTONDOWN;
        record->x = GET_X_LPARAM(lParam);
        record->y = GET_Y_LPARAM(lParam);
        return true;
    case WM_SIZE:
        // A minimised window keeps its view and text for the restore.
        if (wParam == SIZE_MINIMIZED)
            return false;
        record->kind = Event::Kind::Size;
        record->x = LOWORD(lParam);
        record->y = HIWORD(lParam);
        return true;
    case WM_PAINT: record->kind = Event::Kind::Exposed; return true;
    case WM_SETFOCUS: record->kind = Event::Kind::FocusGained; return true;
    case WM_KILLFOCUS: record->kind = Event::Kind::FocusLost; return true;
    case WM_CLOSE: record->kind = Event::Kind::Close; return true;
    case WM_ENDSESSION:
        if (!wParam)
            return false;  // the session goes on
        record->kind = Event::Kind::SessionEnd;
        return true;
    case WM_QUIT: record->kind = Event::Kind::Quit; return true;
    default: return false;
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (OnWindowMessage(window, message, lParam))
        return 0;
    if (!ShellListens())
        return DefWindowProcA(window, message, wParam, lParam);
    Event record;
    if (EventFromMessage(message, wParam, lParam, &record))
        HandleEvent(record);
    return Answer(window, message, wParam, lParam);
}

bool Win32FrontEnd::DispatchOneEvent()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        Event record;
        EventFromMessage(message.message, message.wParam, message.lParam, &record);
        HandleEvent(record);
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

// The quit goes behind the messages already queued; the loop ends when it takes it.
bool Win32FrontEnd::PostQuit()
{
    PostQuitMessage(0);
    return true;
}
