// The shell's input side without a window: SDL key codes to Windows key numbers, the
// key-state table kept from SDL events, the four game keys checked by the loop, and
// the frame pacing arithmetic, and the command line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "app/command_line.h"
#include "app/shell.h"
#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"
#include "platform/null/null_platform.h"

namespace {

class ShellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        saved = SavedScores{};
        ResetFakePlatform();
    }

    static SDL_Event Key(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
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

    static SDL_Event Window(Uint8 what)
    {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        return event;
    }

    static SDL_Event MouseDown(Uint8 button)
    {
        SDL_Event event = {};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.type = SDL_MOUSEBUTTONDOWN;
        event.button.button = button;
        event.button.state = SDL_PRESSED;
        return event;
    }

    static void Press(SDL_Keycode key) { HandleWindowEvent(Key(SDL_KEYDOWN, key)); }
    static void Repeat(SDL_Keycode key) { HandleWindowEvent(Key(SDL_KEYDOWN, key, KMOD_NONE, 1)); }
    static void Release(SDL_Keycode key) { HandleWindowEvent(Key(SDL_KEYUP, key)); }
};

TEST_F(ShellInput, KeysMapToWindowsNumbers)
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

TEST_F(ShellInput, KeyDownSetsAndKeyUpClearsTheFlag)
{
    Press(SDLK_r);
    EXPECT_EQ(game.keys[kKeyR], 1);
    // Auto-repeat arrives as further key-downs and keeps the key down.
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_r, KMOD_NONE, 1));
    EXPECT_EQ(game.keys[kKeyR], 1);
    Release(SDLK_r);
    EXPECT_EQ(game.keys[kKeyR], 0);

    // A key-up clears its flag even when the key-down was never seen.
    game.keys[kKeySpace] = 1;
    Release(SDLK_SPACE);
    EXPECT_EQ(game.keys[kKeySpace], 0);
}

TEST_F(ShellInput, SystemKeysAreNotRecordedButTheirReleaseClears)
{
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_r, KMOD_LALT));
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_LALT));
    Press(SDLK_F10);
    EXPECT_EQ(game.keys[kKeyR], 0);
    EXPECT_EQ(game.keys[VirtualKeyFromSdl(SDLK_F10)], 0);

    // R pressed, then Alt held while R comes up: R must not stay down for good.
    Press(SDLK_r);
    HandleWindowEvent(Key(SDL_KEYUP, SDLK_r, KMOD_LALT));
    EXPECT_EQ(game.keys[kKeyR], 0);
}

TEST_F(ShellInput, NameEntrySeesEveryKeyDownOfAPlacedGame)
{
    game.gameOver = 1;
    game.finalRank = 0;
    Press(SDLK_a);
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_b, KMOD_NONE, 1));
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_b, KMOD_NONE, 1));
    Press(SDLK_1);
    EXPECT_STREQ(game.nameBuffer, "abb1");
    EXPECT_EQ(game.keys[kKeyA], 1);
    EXPECT_EQ(game.keys[kKeyA + 1], 1);

    // Escape and Page Down still reach the key table during name entry.
    Press(SDLK_ESCAPE);
    EXPECT_EQ(game.keys[kKeyEscape], 1);
    EXPECT_STREQ(game.nameBuffer, "abb1");
}

TEST_F(ShellInput, NoNameEntryWithoutAPlace)
{
    game.gameOver = 1;
    game.finalRank = -1;
    Press(SDLK_a);
    game.gameOver = 0;
    game.finalRank = 3;
    Press(SDLK_b);
    EXPECT_EQ(game.nameLength, 0);
    EXPECT_EQ(game.nameBuffer[0], '\0');
    EXPECT_EQ(game.keys[kKeyA], 1);
    EXPECT_EQ(game.keys[kKeyA + 1], 1);
}

// Arrows and Enter act at their key-down events, without waiting for a pass of the loop.
TEST_F(ShellInput, ArrowsAndEnterActAtTheirKeyDowns)
{
    Press(SDLK_DOWN);
    EXPECT_EQ(game.highlight, kNameFirstBlock);
    Repeat(SDLK_DOWN);
    Repeat(SDLK_DOWN);
    EXPECT_EQ(game.highlight, kNameFirstBlock + 8) << "a held arrow walks on";
    Release(SDLK_DOWN);
    Press(SDLK_KP_ENTER);
    EXPECT_TRUE(game.blocks[8].animating);
    EXPECT_TRUE(game.clockRunning);
    EXPECT_EQ(game.keys[kKeyEnter], 1);

    // Onto Sound: a held Enter clicks once.
    for (SDL_Keycode key : {SDLK_RIGHT, SDLK_RIGHT, SDLK_RIGHT, SDLK_RIGHT, SDLK_DOWN, SDLK_DOWN})
        Press(key);
    ASSERT_EQ(game.highlight, kNameSound);
    Press(SDLK_RETURN);
    Repeat(SDLK_RETURN);
    Repeat(SDLK_RETURN);
    EXPECT_TRUE(game.soundOn);
    EXPECT_EQ(game.picksInTurn, 1);
}

TEST_F(ShellInput, AWaitingNameTakesArrowsAndEnterFirst)
{
    Press(SDLK_RIGHT);
    ASSERT_EQ(game.highlight, kNameFirstBlock);
    game.gameOver = 1;
    game.finalRank = 0;
    game.finalScore = 640;
    Press(SDLK_LEFT);
    Press(SDLK_F11);   // the window's key, never typed
    Press(SDLK_RETURN);
    EXPECT_EQ(game.highlight, kNameFirstBlock);
    EXPECT_STREQ(saved.scoreNames[0], "%");
    EXPECT_EQ(saved.scoreValues[0], 640);
    EXPECT_TRUE(game.scoreInserted);
    EXPECT_FALSE(game.clockRunning) << "Enter placed the name and clicked nothing";
    EXPECT_FALSE(game.mouseDown);
}

TEST_F(ShellInput, AnyMouseButtonHidesTheHighlight)
{
    Press(SDLK_UP);
    ASSERT_NE(game.highlight, kNameNothing);
    HandleWindowEvent(MouseDown(SDL_BUTTON_RIGHT));
    EXPECT_EQ(game.highlight, kNameNothing);
    EXPECT_FALSE(game.mouseDown) << "only a left press is a click";
}

// Text follows the scene's size once the size has rested; a drag's stream of size events
// rebuilds nothing until it stops.
TEST_F(ShellInput, TextIsRebuiltOnceTheSizeHasSettled)
{
    EXPECT_EQ(TextPixelsForSize(1016, 676), 12);
    EXPECT_EQ(TextPixelsForSize(2032, 1352), 24);
    EXPECT_EQ(TextPixelsForSize(1920, 1000), 18) << "wider than the scene: the height counts";
    EXPECT_EQ(TextPixelsForSize(1524, 1400), 18) << "narrower: the width counts";
    EXPECT_EQ(TextPixelsForSize(1600, 1200), 19);
    EXPECT_EQ(TextPixelsForSize(1016, 0), 1);
    EXPECT_EQ(TextPixelsForSize(0, 676), 1);

    TextResize pending;
    EXPECT_EQ(TakeSettledTextPixels(&pending, 5000), 0);
    NoteTextResize(&pending, 2032, 1352, 1000);
    EXPECT_EQ(TakeSettledTextPixels(&pending, 1000 + kTextSettleMs - 1), 0);
    NoteTextResize(&pending, 1524, 1400, 1200);   // the drag goes on
    EXPECT_EQ(TakeSettledTextPixels(&pending, 1000 + kTextSettleMs), 0);
    EXPECT_EQ(TakeSettledTextPixels(&pending, 1200 + kTextSettleMs), 18);
    EXPECT_EQ(TakeSettledTextPixels(&pending, 9000), 0) << "taken once";
    NoteTextResize(&pending, 1016, 0, 9000);
    NoteTextResize(&pending, 0, 676, 9000);
    EXPECT_EQ(TakeSettledTextPixels(&pending, 10000), 0) << "a minimised window keeps its text";

    // Across the wrap of the tick counter.
    NoteTextResize(&pending, 1016, 676, 0xFFFFFFF0u);
    EXPECT_EQ(TakeSettledTextPixels(&pending, 0x20u), 0);
    EXPECT_EQ(TakeSettledTextPixels(&pending, kTextSettleMs), 12);
}

TEST_F(ShellInput, FocusAndCloseEvents)
{
    HandleWindowEvent(Window(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_EQ(game.windowInactive, 1);
    HandleWindowEvent(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_EQ(game.windowInactive, 0);
    EXPECT_EQ(game.quitRequested, 0);
}

// Closing posts the quit event behind what is already queued; the loop ends only when
// it takes that event, so the events before it are still handled.
TEST_F(ShellInput, CloseOnlyPostsTheQuitEvent)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event earlier = Key(SDL_KEYDOWN, SDLK_r);
    SDL_PushEvent(&earlier);

    HandleWindowEvent(Window(SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(game.quitRequested, 0);
    SDL_Event queued[4];
    int count = SDL_PeepEvents(queued, 4, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(queued[0].type, static_cast<Uint32>(SDL_KEYDOWN));
    EXPECT_EQ(queued[1].type, static_cast<Uint32>(SDL_QUIT));
    SDL_QuitSubSystem(SDL_INIT_EVENTS);

    // With no event queue to post to, the close still ends the game.
    HandleWindowEvent(Window(SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(game.quitRequested, 1);
}

TEST_F(ShellInput, EscapeQuits)
{
    CheckKeys();
    EXPECT_EQ(game.quitRequested, 0);
    Press(SDLK_ESCAPE);
    CheckKeys();
    EXPECT_EQ(game.quitRequested, 1);
}

TEST_F(ShellInput, PageDownTogglesOncePerPress)
{
    Press(SDLK_PAGEDOWN);
    CheckKeys();
    EXPECT_EQ(game.blendBlocks, 1);
    // Held over many passes, repeats included: no further toggle.
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_PAGEDOWN, KMOD_NONE, 1));
    CheckKeys();
    CheckKeys();
    EXPECT_EQ(game.blendBlocks, 1);
    Release(SDLK_PAGEDOWN);
    CheckKeys();
    Press(SDLK_PAGEDOWN);
    CheckKeys();
    EXPECT_EQ(game.blendBlocks, 0);
}

TEST_F(ShellInput, HeldRKeepsTheClockAtZero)
{
    game.minutes = 1;
    game.secondsTens = 3;
    game.secondsOnes = 7;
    Press(SDLK_r);
    CheckKeys();
    EXPECT_EQ(game.minutes, 0);
    EXPECT_EQ(game.secondsTens, 0);
    EXPECT_EQ(game.secondsOnes, 0);
    // No latch: every pass while R is down zeroes it again.
    game.secondsOnes = 9;
    CheckKeys();
    EXPECT_EQ(game.secondsOnes, 0);
    Release(SDLK_r);
    game.secondsOnes = 9;
    CheckKeys();
    EXPECT_EQ(game.secondsOnes, 9);
}

TEST_F(ShellInput, SpacePausesOncePerPressButNotAFinishedGame)
{
    game.pausedAlpha = 0.5f;
    Press(SDLK_SPACE);
    CheckKeys();
    CheckKeys();
    EXPECT_EQ(game.paused, 1);
    EXPECT_EQ(game.pausedAlpha, 0.0f);
    Release(SDLK_SPACE);
    CheckKeys();
    Press(SDLK_SPACE);
    CheckKeys();
    EXPECT_EQ(game.paused, 0);

    Release(SDLK_SPACE);
    CheckKeys();
    game.gameOver = 1;
    game.pausedAlpha = 0.7f;
    Press(SDLK_SPACE);
    CheckKeys();
    EXPECT_EQ(game.paused, 0);
    EXPECT_EQ(game.pausedAlpha, 0.0f);
}

// Pacing, on a simulated counter of 60,000 ticks a second (1,000 per slot).
constexpr uint64_t kFrequency = 60000;
constexpr uint64_t kPeriod = kFrequency / kPassesPerSecond;

TEST(PassPacing, SleepsUntilTheNextSlotAndCatchesUpAtMostFourPasses)
{
    PassSchedule schedule;
    uint64_t start = 1000 * kFrequency;
    EXPECT_EQ(PassDelay(schedule, start, kFrequency), 0u);
    EXPECT_EQ(TakeDuePasses(&schedule, start, kFrequency), 1);
    // A quarter of a slot later: sleep the other three quarters (12.5 ms, rounded up).
    EXPECT_EQ(PassDelay(schedule, start + kPeriod / 4, kFrequency), 13u);
    EXPECT_EQ(TakeDuePasses(&schedule, start + kPeriod / 4, kFrequency), 0);
    EXPECT_EQ(TakeDuePasses(&schedule, start + kPeriod, kFrequency), 1);
    // A frame that took two and a half slots: the two slots that came are both run.
    EXPECT_EQ(TakeDuePasses(&schedule, start + kPeriod * 7 / 2, kFrequency), 2);
    EXPECT_EQ(PassDelay(schedule, start + kPeriod * 7 / 2, kFrequency), 9u);
    // A long stall runs four and drops the rest; the schedule keeps its phase.
    EXPECT_EQ(TakeDuePasses(&schedule, start + kPeriod * 50, kFrequency), kMaxPassesPerFrame);
    EXPECT_EQ(TakeDuePasses(&schedule, start + kPeriod * 51, kFrequency), 1);
    // After the game stood still (no focus, a box) it starts afresh with one pass.
    RestartSchedule(&schedule);
    EXPECT_EQ(PassDelay(schedule, start + kPeriod * 300, kFrequency), 0u);
    EXPECT_EQ(TakeDuePasses(&schedule, start + kPeriod * 300, kFrequency), 1);
}

// The loop's paced passes on the simulated counter and the scripted tick count: sleep to
// the slot, advance the passes due, present when the picture changed (drawing costs
// drawTicks), then the end-of-game test.
class PacedLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        saved = SavedScores{};
        ResetFakePlatform();
        RestartRandom();
        saved.gameCounter = 3;
        ShuffleBoard();
        screen = Screen{};
        RestartSchedule(&passSchedule);
    }

    struct Counts {
        int passes = 0;
        int presented = 0;
    };

    // pictureLostEveryPass: as if the window were exposed before every pass, so every
    // pass draws.
    Counts Run(double seconds, uint64_t drawTicks = 0, bool pictureLostEveryPass = false)
    {
        Counts counts;
        uint64_t end = now + static_cast<uint64_t>(seconds * kFrequency);
        while (now < end) {
            if (pictureLostEveryPass)
                InvalidateScreen();
            now += PassDelay(passSchedule, now, kFrequency) * kFrequency / 1000;
            fakeTicks = static_cast<uint32_t>(now * 1000 / kFrequency);
            int due = TakeDuePasses(&passSchedule, now, kFrequency);
            FrameView view;
            if (AdvanceDuePasses(due, &screen, &view)) {
                screen.shown = view;
                screen.current = true;
                ++counts.presented;
                now += drawTicks;
            }
            counts.passes += due;
            CheckGameOver();
        }
        return counts;
    }

    static int ClockSeconds() { return game.minutes * 60 + game.secondsTens * 10 + game.secondsOnes; }

    uint64_t now = 5 * kFrequency;
};

TEST_F(PacedLoop, AFaceDownBoardBeforeTheFirstClickPresentsNothing)
{
    Counts start = Run(2.0);
    EXPECT_GE(start.presented, 2) << "the first frame, and the first full frame-rate figure";
    Counts rest = Run(5.0);
    EXPECT_EQ(rest.passes, 300);
    EXPECT_EQ(rest.presented, 0);
    EXPECT_STREQ(game.fpsText, "FPS: 61") << "passes whose picture is on screen count";
    InvalidateScreen();
    EXPECT_EQ(Run(0.5).presented, 1) << "a lost picture is drawn again";
}

TEST_F(PacedLoop, ARunningClockPresentsOneFramePerStep)
{
    ClickBlock(0);
    ASSERT_TRUE(game.clockRunning);
    Run(2.0);
    int before = ClockSeconds();
    Counts running = Run(5.0);
    int steps = before - ClockSeconds();
    EXPECT_GE(steps, 4);
    EXPECT_EQ(running.presented, steps);
}

TEST_F(PacedLoop, ABlockTurnPresentsItsEighteenFrames)
{
    game.timeTrial = false;
    Run(2.0);
    ClickBlock(5);
    Counts turn = Run(2.0);
    EXPECT_EQ(turn.presented, 18);
    EXPECT_EQ(game.blocks[5].angle, 180.0f);
}

TEST_F(PacedLoop, SlowDrawingKeepsRealTimeAndTheFigureCountsFramesDrawn)
{
    game.timeTrial = false;
    Run(1.0);
    // Drawing takes two and a half slots: a turn still ends within its 0.3 s.
    ClickBlock(5);
    Counts turn = Run(0.31, kPeriod * 5 / 2);
    EXPECT_EQ(game.blocks[5].angle, 180.0f);
    EXPECT_LE(turn.presented, 8);
    EXPECT_GE(turn.presented, 6);
    Counts slow = Run(3.0, kPeriod * 5 / 2, true);
    EXPECT_NEAR(slow.passes, 180, 2);
    int figure = std::atoi(game.fpsText + 5);
    EXPECT_GE(figure, 22);
    EXPECT_LE(figure, 26);
    // Drawing of ten slots: four passes per frame, the rest dropped.
    ClickBlock(6);
    Counts crawl = Run(0.5, kPeriod * 10);
    EXPECT_LE(crawl.passes, 4 * (crawl.presented + 1));
}

TEST_F(ShellInput, ExposureResizeAndRefocusLoseThePicture)
{
    for (Uint8 what : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_FOCUS_GAINED}) {
        screen.current = true;
        passSchedule.nextSlot = 77;
        HandleWindowEvent(Window(what));
        EXPECT_FALSE(screen.current) << static_cast<int>(what);
    }
    EXPECT_EQ(passSchedule.nextSlot, 0u) << "the game goes on from the moment the focus came back";
    screen.current = true;
    HandleWindowEvent(Window(SDL_WINDOWEVENT_MOVED));
    HandleWindowEvent(Key(SDL_KEYDOWN, SDLK_a));
    EXPECT_TRUE(screen.current);
}

}  // namespace

TEST(CommandLine, NoArgumentPlaysAndTheTwoAnswersAreKnown)
{
    const char* none[] = {"flipora"};
    EXPECT_EQ(ParseCommandLine(1, none, nullptr), Command::Play);
    const char* help[] = {"flipora", "--help"};
    EXPECT_EQ(ParseCommandLine(2, help, nullptr), Command::Help);
    const char* shortHelp[] = {"flipora", "-h"};
    EXPECT_EQ(ParseCommandLine(2, shortHelp, nullptr), Command::Help);
    const char* version[] = {"flipora", "--version"};
    EXPECT_EQ(ParseCommandLine(2, version, nullptr), Command::Version);
}

TEST(CommandLine, AnythingElseIsRefusedNamingTheArgument)
{
    std::string offending;
    const char* unknown[] = {"flipora", "--fullscreen"};
    EXPECT_EQ(ParseCommandLine(2, unknown, &offending), Command::Refuse);
    EXPECT_EQ(offending, "--fullscreen");
    const char* word[] = {"flipora", "scores.txt"};
    EXPECT_EQ(ParseCommandLine(2, word, &offending), Command::Refuse);
    EXPECT_EQ(offending, "scores.txt");
    // A second argument is refused even after a known one; so is a prefix of one.
    const char* twice[] = {"flipora", "--version", "--help"};
    EXPECT_EQ(ParseCommandLine(3, twice, &offending), Command::Refuse);
    EXPECT_EQ(offending, "--help");
    const char* prefix[] = {"flipora", "--vers"};
    EXPECT_EQ(ParseCommandLine(2, prefix, &offending), Command::Refuse);
    EXPECT_EQ(kUsageExitCode, 2);
}
