#include "platform/message_box.h"

#include <windows.h>

#include <cstdio>

#include "platform/quit_signals.h"
#include "platform/win32/wide_path.h"

namespace {

// The game window is the one the GL context draws into; at start-up and after the
// teardown there is none and the box stands on its own.
HWND OwnerWindow(bool ownedByWindow)
{
    if (!ownedByWindow)
        return nullptr;
    HDC dc = wglGetCurrentDC();
    return dc ? WindowFromDC(dc) : nullptr;
}

}  // namespace

bool ShowMessageBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon,
                    bool ownedByWindow)
{
    UINT type = (buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK) |
                (icon == BoxIcon::Exclamation ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
    HWND owner = OwnerWindow(ownedByWindow);
    if (!owner)
        type |= MB_SETFOREGROUND | MB_TASKMODAL;
    // The game's texts are UTF-8 (a path may hold any letter): the box takes them as UTF-16.
    std::wstring wideText = WidePath(text ? text : "");
    std::wstring wideTitle = WidePath(title ? title : "");
    EnterModalBox();
    int answer = MessageBoxW(owner, wideText.c_str(), wideTitle.c_str(), type);
    LeaveModalBox();
    if (answer == 0) {
        std::fprintf(stderr, "%s: %s (no message box could be shown)\n", title ? title : "",
                     text ? text : "");
        return false;
    }
    return answer == IDYES || answer == IDOK;
}
