// The SDL front end's side of the seam: SDL's events turned into the shell's records, and
// its quit posted behind the events already queued. (What the shell does with the records
// is test_shell_input.cpp's, on every system.)
#include <gtest/gtest.h>

#include "app/sdl/sdl_front_end.h"

namespace {

SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    return event;
}

SDL_Event Window(Uint8 what)
{
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

SDL_Event MouseDown(Uint8 button, Sint32 x, Sint32 y)
{
    SDL_Event event = {};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    event.button.state = SDL_PRESSED;
    event.button.x = x;
    event.button.y = y;
    return event;
}

Event RecordOf(const SDL_Event& event)
{
    Event record;
    EXPECT_TRUE(EventFromSdl(event, nullptr, &record));
    return record;
}

}  // namespace

TEST(SdlEvents, KeysMapToWindowsNumbers)
{
    struct {
        SDL_Keycode key;
        int expected;
    } const cases[] = {
        {SDLK_ESCAPE, 27},    {SDLK_PAGEDOWN, 34}, {SDLK_r, 82},         {SDLK_SPACE, 32},
        {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13}, {SDLK_BACKSPACE, 8},  {SDLK_a, 65},
        {SDLK_z, 90},         {SDLK_0, 48},        {SDLK_9, 57},         {SDLK_LEFT, 37},
        {SDLK_UP, 38},        {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},      {SDLK_INSERT, 45},
        {SDLK_KP_0, 96},      {SDLK_KP_1, 97},     {SDLK_KP_9, 105},     {SDLK_F1, 112},
        {SDLK_F12, 123},      {SDLK_F13, 124},     {SDLK_F14, 125},      {SDLK_PAGEUP, 33},
        {SDLK_LSHIFT, 16},    {SDLK_MINUS, 189},   {SDLK_UNDO, 0},       {SDLK_AUDIOPLAY, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromSdl(c.key), c.expected) << SDL_GetKeyName(c.key);
}

// Keys keep their repeat and are marked as system keys as Windows marks them: with Alt
// held, Alt itself and F10, key-ups included.
TEST(SdlEvents, KeysBecomeRecordsWithRepeatAndSystemKeys)
{
    Event press = RecordOf(Key(SDL_KEYDOWN, SDLK_r));
    EXPECT_EQ(press.kind, Event::Kind::KeyDown);
    EXPECT_EQ(press.key, 82);
    EXPECT_FALSE(press.repeat);
    EXPECT_FALSE(press.system);
    EXPECT_TRUE(RecordOf(Key(SDL_KEYDOWN, SDLK_r, KMOD_NONE, 1)).repeat);
    EXPECT_FALSE(RecordOf(Key(SDL_KEYDOWN, SDLK_r, KMOD_LSHIFT)).system);

    for (const SDL_Event& system : {Key(SDL_KEYDOWN, SDLK_r, KMOD_LALT),
                                    Key(SDL_KEYDOWN, SDLK_SPACE, KMOD_RALT),
                                    Key(SDL_KEYDOWN, SDLK_LALT), Key(SDL_KEYDOWN, SDLK_F10)})
        EXPECT_TRUE(RecordOf(system).system) << SDL_GetKeyName(system.key.keysym.sym);

    Event release = RecordOf(Key(SDL_KEYUP, SDLK_r, KMOD_LALT));
    EXPECT_EQ(release.kind, Event::Kind::KeyUp);
    EXPECT_EQ(release.key, 82);
    EXPECT_TRUE(release.system);
}

TEST(SdlEvents, WindowMouseAndQuitBecomeRecords)
{
    struct {
        Uint8 what;
        Event::Kind kind;
    } const windowCases[] = {
        {SDL_WINDOWEVENT_EXPOSED, Event::Kind::Exposed},
        {SDL_WINDOWEVENT_SIZE_CHANGED, Event::Kind::Size},
        {SDL_WINDOWEVENT_FOCUS_GAINED, Event::Kind::FocusGained},
        {SDL_WINDOWEVENT_FOCUS_LOST, Event::Kind::FocusLost},
        {SDL_WINDOWEVENT_CLOSE, Event::Kind::Close},
    };
    for (const auto& c : windowCases)
        EXPECT_EQ(RecordOf(Window(c.what)).kind, c.kind) << static_cast<int>(c.what);
    Event none;
    EXPECT_FALSE(EventFromSdl(Window(SDL_WINDOWEVENT_MOVED), nullptr, &none));
    SDL_Event text = {};
    text.type = SDL_TEXTINPUT;
    EXPECT_FALSE(EventFromSdl(text, nullptr, &none));

    Event left = RecordOf(MouseDown(SDL_BUTTON_LEFT, 120, 45));
    EXPECT_EQ(left.kind, Event::Kind::MouseDown);
    EXPECT_TRUE(left.left);
    EXPECT_EQ(left.x, 120);
    EXPECT_EQ(left.y, 45);
    EXPECT_FALSE(RecordOf(MouseDown(SDL_BUTTON_RIGHT, 1, 1)).left);

    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_EQ(RecordOf(quit).kind, Event::Kind::Quit);
}

// The quit goes behind the events already queued, so that they are still handled; with no
// event queue to post to, the front end says so and the shell quits at once.
TEST(SdlEvents, TheQuitIsPostedBehindTheQueuedEvents)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event earlier = Key(SDL_KEYDOWN, SDLK_r);
    SDL_PushEvent(&earlier);

    SdlFrontEnd frontEnd;
    EXPECT_TRUE(frontEnd.PostQuit());
    SDL_Event queued[4];
    int count = SDL_PeepEvents(queued, 4, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(queued[0].type, static_cast<Uint32>(SDL_KEYDOWN));
    EXPECT_EQ(queued[1].type, static_cast<Uint32>(SDL_QUIT));
    SDL_QuitSubSystem(SDL_INIT_EVENTS);

    EXPECT_FALSE(frontEnd.PostQuit());
}
