// SDL's events, turned into the shell's records in the game's own key codes and the
// drawable's pixels.
#include "app/sdl/sdl_front_end.h"

#include "app/shell.h"
#include "platform/quit_signals.h"

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

// Alt combinations, Alt itself and F10 are Windows' "system keys".
bool IsSystemKey(const SDL_KeyboardEvent& key)
{
    SDL_Keycode code = key.keysym.sym;
    return (key.keysym.mod & KMOD_ALT) != 0 || code == SDLK_LALT || code == SDLK_RALT ||
           code == SDLK_F10;
}

// Mouse coordinates come in window units; picking works in drawable pixels, which
// differ on high-density displays.
void ToDrawablePixels(SDL_Window* window, int* x, int* y)
{
    if (!window)
        return;
    int windowWidth = 0;
    int windowHeight = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(window, &pixelWidth, &pixelHeight);
    if (windowWidth <= 0 || windowHeight <= 0)
        return;
    if (windowWidth == pixelWidth && windowHeight == pixelHeight)
        return;
    *x = static_cast<int>(static_cast<int64_t>(*x) * pixelWidth / windowWidth);
    *y = static_cast<int>(static_cast<int64_t>(*y) * pixelHeight / windowHeight);
}

bool WindowRecord(const SDL_WindowEvent& change, SDL_Window* window, Event* record)
{
    switch (change.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        record->kind = Event::Kind::Size;
        if (window)
            SDL_GL_GetDrawableSize(window, &record->x, &record->y);
        return true;
    case SDL_WINDOWEVENT_EXPOSED: record->kind = Event::Kind::Exposed; return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED: record->kind = Event::Kind::FocusGained; return true;
    case SDL_WINDOWEVENT_FOCUS_LOST: record->kind = Event::Kind::FocusLost; return true;
    case SDL_WINDOWEVENT_CLOSE: record->kind = Event::Kind::Close; return true;
    default: return false;
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

bool EventFromSdl(const SDL_Event& event, SDL_Window* window, Event* record)
{
    *record = Event{};
    switch (event.type) {
    case SDL_QUIT: record->kind = Event::Kind::Quit; return true;
    case SDL_WINDOWEVENT: return WindowRecord(event.window, window, record);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        record->kind = event.type == SDL_KEYDOWN ? Event::Kind::KeyDown : Event::Kind::KeyUp;
        record->key = VirtualKeyFromSdl(event.key.keysym.sym);
        record->repeat = event.key.repeat != 0;
        record->system = IsSystemKey(event.key);
        return true;
    case SDL_MOUSEBUTTONDOWN:
        record->kind = Event::Kind::MouseDown;
        record->left = event.button.button == SDL_BUTTON_LEFT;
        record->x = event.button.x;
        record->y = event.button.y;
        ToDrawablePixels(window, &record->x, &record->y);
        return true;
    default: return false;
    }
}

bool SdlFrontEnd::DispatchOneEvent()
{
    SDL_Event event;
    int taken = 0;
    {
        WindowSystemWait wait;  // a stopped X server may keep it here
        taken = SDL_PollEvent(&event);
    }
    if (!taken)
        return false;
    // A size the window may not have is sized back; the size that follows is handed on.
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED &&
        FitToLimits())
        return true;
    Event record;
    if (EventFromSdl(event, window_, &record))
        HandleEvent(record);
    return true;
}

// A close request only posts the quit event; the loop ends when it takes that event
// from the queue, after whatever was queued before it.
bool SdlFrontEnd::PostQuit()
{
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    return SDL_PushEvent(&quit) == 1;
}
