// What the game does with each event, whichever front end it came from.
#include "app/shell.h"

#include "game/constants.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "game/rules.h"
#include "platform/message_box.h"
#include "platform/sound.h"
#include "platform/ticks.h"
#include "render/render.h"
#include "scores/scores.h"

namespace {

constexpr const char* kQuitGameText = "Are you sure you want to quit current game?";

// What the game asked besides the frame: the shell shows, plays or quits, and a
// question's answer goes back to the game.
void ActOn(const Requests& requests)
{
    if (requests.playClick)
        PlayClickSound();
    if (requests.askQuitGame != kNameNothing &&
        ShowBoxOverGame(kQuitGameText, "Quit Game", BoxButtons::YesNo, BoxIcon::Exclamation))
        ConfirmQuitGame(requests.askQuitGame);
    if (requests.showAbout)
        ShowBoxOverGame(kAboutText, "About Flipora", BoxButtons::Ok, BoxIcon::Information);
    if (requests.quit)
        shell.quitRequested = true;
    // A placed name is kept at once, even if the game dies next.
    if (requests.placedSlot >= 0) {
        RecordPlacedEntry(requests.placedSlot);
        SavePlacedEntries();
    }
}

void OnMouseDown(bool left, int x, int y)
{
    // Any click puts the keyboard highlight away, so a mouse player never sees it.
    HideHighlight();
    if (left)
        ActOn(ClickName(PickAt(x, y)));
}

void OnKeyDown(int virtualKey, bool repeat)
{
    // F11 belongs to the window: it never types into a name.
    if (virtualKey == kKeyF11) {
        if (!repeat)
            shell.frontEnd->ToggleFullScreen();
        return;
    }
    ActOn(OnGameKey(virtualKey, repeat));
}

void OnSize(int drawableWidth, int drawableHeight)
{
    ResizeView(drawableWidth, drawableHeight);
    NoteTextResize(&shell.textResize, drawableWidth, drawableHeight, GetTickCount());
    InvalidateScreen();
}

void OnFocusGained()
{
    shell.windowInactive = false;
    // The game stood still while the window had no focus: it goes on from now.
    RestartSchedule(&shell.schedule);
    InvalidateScreen();
}

void OnFocusLost()
{
    shell.windowInactive = true;
}

void OnCloseRequest()
{
    // Should the queue refuse the quit, the close must still not be lost.
    if (!shell.frontEnd->PostQuit())
        shell.quitRequested = true;
}

void OnSessionEnd()
{
    // The process may end as soon as the front end returns: the scores are saved now.
    SaveScoresAtExit(false);
}

}  // namespace

bool HandleEvent(const Event& event)
{
    if (!shell.frontEnd)
        return false;
    switch (event.kind) {
    case Event::Kind::KeyDown:
        // A system key (Alt held, F10) is the window's: the game never sees its key-down.
        // Its key-up still comes, so that no key stays held.
        if (!event.system)
            OnKeyDown(event.key, event.repeat);
        break;
    case Event::Kind::KeyUp: OnGameKeyUp(event.key); break;
    case Event::Kind::MouseDown: OnMouseDown(event.left, event.x, event.y); break;
    case Event::Kind::Size: OnSize(event.x, event.y); break;
    case Event::Kind::FocusGained: OnFocusGained(); break;
    case Event::Kind::FocusLost: OnFocusLost(); break;
    case Event::Kind::Exposed: InvalidateScreen(); break;
    case Event::Kind::Close: OnCloseRequest(); break;
    case Event::Kind::Quit: shell.quitRequested = true; break;
    case Event::Kind::SessionEnd: OnSessionEnd(); break;
    }
    return true;
}

bool ShowBoxOverGame(const char* text, const char* title, BoxButtons buttons, BoxIcon icon)
{
    bool answer = ShowMessageBox(text, title, buttons, icon, true);
    RestartSchedule(&shell.schedule);
    InvalidateScreen();
    return answer;
}

void InvalidateScreen()
{
    shell.screen.current = false;
}

void NoteTextResize(TextResize* pending, int drawableWidth, int drawableHeight, uint32_t now)
{
    // A minimised window has no size to read text at; its text waits for the restore.
    if (drawableWidth <= 0 || drawableHeight <= 0)
        return;
    pending->wantedPixels = TextPixelsForSize(drawableWidth, drawableHeight);
    pending->changedAt = now;
}

int TakeSettledTextPixels(TextResize* pending, uint32_t now)
{
    if (pending->wantedPixels == 0 || now - pending->changedAt < kTextSettleMs)
        return 0;
    int pixels = pending->wantedPixels;
    pending->wantedPixels = 0;
    return pixels;
}
