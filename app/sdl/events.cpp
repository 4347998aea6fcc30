// SDL's events, turned into the shell's handlers in the game's own key codes and the
// drawable's pixels; and the rest of what the shell asks of the SDL front end.
#include "app/sdl/sdl_front_end.h"

#include "app/shell.h"
#include "platform/message_box.h"
#include "platform/quit_signals.h"
#include "platform/sound.h"

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

// F10 and Alt combinations are handed on as key-ups only (see OnKeyDown).
void OnSdlKeyDown(const SDL_KeyboardEvent& key)
{
    if (IsSystemKey(key))
        return;
    OnKeyDown(VirtualKeyFromSdl(key.keysym.sym), key.repeat != 0);
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

void OnSdlMouseDown(const SDL_MouseButtonEvent& button)
{
    int x = button.x;
    int y = button.y;
    ToDrawablePixels(&x, &y);
    OnMouseDown(button.button == SDL_BUTTON_LEFT, x, y);
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
        OnSize(width, height);
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED: OnPictureLost(); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: OnFocusGained(); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: OnFocusLost(); break;
    case SDL_WINDOWEVENT_CLOSE: OnCloseRequest(); break;
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

void DispatchSdlEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT: OnQuit(); break;
    case SDL_WINDOWEVENT: OnWindowChange(event.window); break;
    case SDL_KEYDOWN: OnSdlKeyDown(event.key); break;
    case SDL_KEYUP: OnKeyUp(VirtualKeyFromSdl(event.key.keysym.sym)); break;
    case SDL_MOUSEBUTTONDOWN: OnSdlMouseDown(event.button); break;
    default: break;
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
    DispatchSdlEvent(event);
    return true;
}

uint64_t SdlFrontEnd::PerformanceCounter()
{
    return SDL_GetPerformanceCounter();
}

uint64_t SdlFrontEnd::PerformanceFrequency()
{
    return SDL_GetPerformanceFrequency();
}

void SdlFrontEnd::Sleep(uint32_t milliseconds)
{
    SDL_Delay(milliseconds);
}

void SdlFrontEnd::Present()
{
    WindowSystemWait wait;
    SDL_GL_SwapWindow(mainWindow);
}

bool SdlFrontEnd::ShowBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon)
{
    return ShowMessageBox(text, title, buttons, icon, true);
}

void SdlFrontEnd::PlayClick()
{
    PlayClickSound();
}

void SdlFrontEnd::ToggleFullScreen()
{
    ::ToggleFullScreen();
}

// A close request only posts the quit event; the loop ends when it takes that event
// from the queue, after whatever was queued before it.
bool SdlFrontEnd::PostQuit()
{
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    return SDL_PushEvent(&quit) == 1;
}
