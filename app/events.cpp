#include "app/shell.h"

#include "game/game_state.h"
#include "game/rules.h"
#include "platform/message_box.h"
#include "render/render.h"
#include "scores/scores.h"

namespace {

struct KeyNumber {
    SDL_Keycode key;
    int virtualKey;
};

// Keys outside the letter, digit and function-key runs, by their Windows numbers.
constexpr KeyNumber kNamedKeys[] = {
    {SDLK_BACKSPACE, 8},    {SDLK_TAB, 9},          {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},      {SDLK_RSHIFT, 16},      {SDLK_LCTRL, 17},      {SDLK_RCTRL, 17},
    {SDLK_PAUSE, 19},       {SDLK_CAPSLOCK, 20},    {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},      {SDLK_PAGEDOWN, 34},    {SDLK_END, 35},        {SDLK_HOME, 36},
    {SDLK_LEFT, 37},        {SDLK_UP, 38},          {SDLK_RIGHT, 39},      {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44}, {SDLK_INSERT, 45},      {SDLK_DELETE, 46},     {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},        {SDLK_APPLICATION, 93}, {SDLK_KP_0, 96},       {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},    {SDLK_KP_MINUS, 109},   {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145}, {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},      {SDLK_MINUS, 189},      {SDLK_PERIOD, 190},    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},  {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

// Alt combinations and F10 are Windows "system keys": the game never sees their key-downs.
bool IsSystemKey(const SDL_KeyboardEvent& key)
{
    SDL_Keycode code = key.keysym.sym;
    return (key.keysym.mod & KMOD_ALT) != 0 || code == SDLK_LALT || code == SDLK_RALT ||
           code == SDLK_F10;
}

// Arrows and Enter act at their key-down events, so a press shorter than a frame still
// counts. A held arrow walks on with the repeats; a held Enter clicks once.
void PlayFromKeyboard(const SDL_KeyboardEvent& key)
{
    switch (key.keysym.sym) {
    case SDLK_LEFT: MoveHighlight(Arrow::Left); break;
    case SDLK_RIGHT: MoveHighlight(Arrow::Right); break;
    case SDLK_UP: MoveHighlight(Arrow::Up); break;
    case SDLK_DOWN: MoveHighlight(Arrow::Down); break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (!key.repeat)
            ClickHighlighted();
        break;
    default: break;
    }
}

void OnKeyDown(const SDL_KeyboardEvent& key)
{
    if (IsSystemKey(key))
        return;
    // F11 belongs to the window: it never types into a name.
    if (key.keysym.sym == SDLK_F11) {
        if (!key.repeat)
            ToggleFullScreen();
        return;
    }
    int virtualKey = VirtualKeyFromSdl(key.keysym.sym);
    if (virtualKey == 0)
        return;
    // Repeats come here too: each one types again during name entry. A placed score
    // waiting for its name takes the keys first, Enter and the arrows included.
    if (game.gameOver && game.finalRank >= 0) {
        HandleNameKey(virtualKey);
        SavePlacedEntries();  // Enter placed the name: it is kept even if the game dies
    } else {
        PlayFromKeyboard(key);
    }
    game.keys[virtualKey] = 1;
}

// Every key-up clears its flag, also one released while Alt was held, so that no key
// can stay down in the table for good.
void OnKeyUp(const SDL_KeyboardEvent& key)
{
    int virtualKey = VirtualKeyFromSdl(key.keysym.sym);
    if (virtualKey != 0)
        game.keys[virtualKey] = 0;
}

// Mouse coordinates come in window units; picking works in drawable pixels, which
// differ on high-density displays.
void ToDrawablePixels(int* x, int* y)
{
    int windowWidth = 0;
    int windowHeight = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    SDL_GetWindowSize(mainWindow, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(mainWindow, &pixelWidth, &pixelHeight);
    if (windowWidth <= 0 || windowHeight <= 0)
        return;
    if (windowWidth == pixelWidth && windowHeight == pixelHeight)
        return;
    *x = static_cast<int>(static_cast<int64_t>(*x) * pixelWidth / windowWidth);
    *y = static_cast<int>(static_cast<int64_t>(*y) * pixelHeight / windowHeight);
}

void OnLeftClick(int x, int y)
{
    ToDrawablePixels(&x, &y);
    ClickName(PickAt(x, y));
}

// A close request only posts the quit event; the loop ends when it takes that event
// from the queue, after whatever was queued before it. Should the queue refuse the
// event, the close must still not be lost.
void PostQuit()
{
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    if (SDL_PushEvent(&quit) != 1)
        game.quitRequested = 1;
}

void OnWindowChange(const SDL_WindowEvent& window)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        if (FitToAllowedSize())
            break;
        int width = 0;
        int height = 0;
        SDL_GL_GetDrawableSize(mainWindow, &width, &height);
        ResizeView(width, height);
        NoteDrawableSize(width, height);
        InvalidateScreen();
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED: InvalidateScreen(); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        game.windowInactive = 0;
        // The game stood still while the window had no focus: it goes on from now.
        RestartSchedule(&passSchedule);
        InvalidateScreen();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: game.windowInactive = 1; break;
    case SDL_WINDOWEVENT_CLOSE: PostQuit(); break;
    default: break;
    }
}

}  // namespace

int VirtualKeyFromSdl(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return key;
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return 97 + (key - SDLK_KP_1);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 112 + (key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24)
        return 124 + (key - SDLK_F13);
    for (const KeyNumber& named : kNamedKeys) {
        if (named.key == key)
            return named.virtualKey;
    }
    return 0;
}

void HandleWindowEvent(const SDL_Event& event)
{
    unsigned int boxesBefore = ClosedMessageBoxCount();
    switch (event.type) {
    case SDL_WINDOWEVENT: OnWindowChange(event.window); break;
    case SDL_KEYDOWN: OnKeyDown(event.key); break;
    case SDL_KEYUP: OnKeyUp(event.key); break;
    case SDL_MOUSEBUTTONDOWN:
        // Any click puts the keyboard highlight away, so a mouse player never sees it.
        HideHighlight();
        if (event.button.button == SDL_BUTTON_LEFT)
            OnLeftClick(event.button.x, event.button.y);
        break;
    default: break;
    }
    // Nothing of the game ran while a box was open, and the box may have covered the window.
    if (ClosedMessageBoxCount() != boxesBefore) {
        RestartSchedule(&passSchedule);
        InvalidateScreen();
    }
}
