#include "platform/message_box.h"

#include "platform/quit_signals.h"

#include <SDL.h>

#include <cstdio>

namespace {

constexpr int kAnswerNo = 0;
constexpr int kAnswerYes = 1;  // also OK

// The game window is the one the GL context is current on; at start-up and after the
// teardown there is none and the box stands on its own.
SDL_Window* OwnerWindow(bool ownedByWindow)
{
    if (!ownedByWindow)
        return nullptr;
    return SDL_GL_GetCurrentWindow();
}

Uint32 IconFlags(BoxIcon icon)
{
    return icon == BoxIcon::Exclamation ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
}

}  // namespace

bool ShowMessageBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon,
                    bool ownedByWindow)
{
    // Enter takes the first button (Yes or OK), Escape the last (No, or OK again).
    const SDL_MessageBoxButtonData yesNo[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kAnswerYes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kAnswerNo, "No"},
    };
    const SDL_MessageBoxButtonData ok[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
         kAnswerYes, "OK"},
    };
    bool askYesNo = buttons == BoxButtons::YesNo;

    SDL_MessageBoxData box = {};
    box.flags = IconFlags(icon) | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    box.window = OwnerWindow(ownedByWindow);
    box.title = title ? title : "";
    box.message = text ? text : "";
    box.numbuttons = askYesNo ? 2 : 1;
    box.buttons = askYesNo ? yesNo : ok;

    // Closing the box without a button answers -1, which counts as No.
    int answer = -1;
    EnterModalBox();
    int shown = SDL_ShowMessageBox(&box, &answer);
    LeaveModalBox();
    if (shown != 0) {
        std::fprintf(stderr, "%s: %s (no message box could be shown: %s)\n", box.title,
                     box.message, SDL_GetError());
        return false;
    }
    return answer == kAnswerYes;
}
