// The shell's input side without a window: SDL events through the SDL front end's
// translation into the shell's handlers, the four game keys, the boxes and sounds the game
// asks for, the real loop on a simulated counter, the pacing arithmetic and the command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/command_line.h"
#include "app/sdl/sdl_front_end.h"
#include "app/shell.h"
#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"
#include "platform/null/null_platform.h"
#include "platform/sound.h"
#include "scores/scores.h"

namespace {

// Pacing on a simulated counter of 60,000 ticks a second (1,000 per slot).
constexpr uint64_t kFrequency = 60000;
constexpr uint64_t kPeriod = kFrequency / kPassesPerSecond;

// A front end without a window: SDL events from a script go through the SDL front end's
// translation; time is a counter that only sleeping and drawing move (the rules' ticks
// follow it); boxes and sounds go to the null platform, which records them.
class ScriptedFrontEnd : public FrontEnd {
public:
    bool DispatchOneEvent() override
    {
        if (pictureLostEveryPass)
            OnPictureLost();
        if (events.empty())
            return false;
        SDL_Event event = events.front();
        events.pop_front();
        DispatchSdlEvent(event);
        return true;
    }
    uint64_t PerformanceCounter() override
    {
        fakeTicks = static_cast<uint32_t>(now * 1000 / kFrequency);
        return now;
    }
    uint64_t PerformanceFrequency() override { return kFrequency; }
    void Sleep(uint32_t milliseconds) override { now += milliseconds * kFrequency / 1000; }
    void Present() override { now += drawTicks; }
    bool ShowBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon) override
    {
        return ShowMessageBox(text, title, buttons, icon, true);
    }
    void PlayClick() override { PlayClickSound(); }
    void ToggleFullScreen() override { ++fullScreenToggles; }
    bool PostQuit() override
    {
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        events.push_back(quit);
        return true;
    }

    std::deque<SDL_Event> events;
    uint64_t now = 5 * kFrequency;
    uint64_t drawTicks = 0;            // what drawing a frame costs
    bool pictureLostEveryPass = false; // as if the window were exposed before every pass
    int fullScreenToggles = 0;
};

void DrawNothing(const FrameView&) {}

class ShellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        saved = SavedScores{};
        keyboardHighlight = KeyboardHighlight{};
        ResetFakePlatform();
        shell = ShellState{};
        shell.frontEnd = &frontEnd;
        shell.draw = DrawNothing;
    }

    // Events the front end hands on one per pass, as the loop takes them.
    void Queue(std::initializer_list<SDL_Event> events)
    {
        frontEnd.events.insert(frontEnd.events.end(), events);
    }
    void RunPasses(int count)
    {
        for (int i = 0; i < count; ++i)
            RunPass();
    }

    ScriptedFrontEnd frontEnd;

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

    static void Press(SDL_Keycode key) { DispatchSdlEvent(Key(SDL_KEYDOWN, key)); }
    static void Repeat(SDL_Keycode key) { DispatchSdlEvent(Key(SDL_KEYDOWN, key, KMOD_NONE, 1)); }
    static void Release(SDL_Keycode key) { DispatchSdlEvent(Key(SDL_KEYUP, key)); }
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

TEST_F(ShellInput, RIsHeldFromItsKeyDownToItsKeyUp)
{
    Press(SDLK_r);
    EXPECT_TRUE(shell.rHeld);
    // Auto-repeat arrives as further key-downs and keeps the key down.
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_r, KMOD_NONE, 1));
    EXPECT_TRUE(shell.rHeld);
    Release(SDLK_r);
    EXPECT_FALSE(shell.rHeld);
    // A key-up without its key-down changes nothing.
    Release(SDLK_SPACE);
    EXPECT_FALSE(game.paused);
}

TEST_F(ShellInput, SystemKeysAreNotTakenButTheirReleaseIs)
{
    game.minutes = 1;
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_r, KMOD_LALT));
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_SPACE, KMOD_RALT));
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_LALT));
    Press(SDLK_F10);
    EXPECT_FALSE(shell.rHeld);
    EXPECT_EQ(game.minutes, 1);
    EXPECT_FALSE(game.paused);

    // R pressed, then Alt held while R comes up: R must not stay down for good.
    Press(SDLK_r);
    DispatchSdlEvent(Key(SDL_KEYUP, SDLK_r, KMOD_LALT));
    EXPECT_FALSE(shell.rHeld);
}

TEST_F(ShellInput, NameEntrySeesEveryKeyDownOfAPlacedGame)
{
    game.gameOver = 1;
    game.finalRank = 0;
    Press(SDLK_a);
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_b, KMOD_NONE, 1));
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_b, KMOD_NONE, 1));
    Press(SDLK_1);
    EXPECT_STREQ(game.nameBuffer, "abb1");

    // Escape still quits during name entry.
    Press(SDLK_ESCAPE);
    EXPECT_TRUE(shell.quitRequested);
    EXPECT_STREQ(game.nameBuffer, "abb1");
}

// A name placed while another game holds the lock: the game never waits for it. The entry
// waits and each pass tries again, at most every 250 ms; after 5 s a box says so, once,
// and the entry reaches the file as soon as the lock is free.
TEST_F(ShellInput, APlacedNameWaitsForAHeldLockWithoutStoppingTheGame)
{
    std::string folder = testing::TempDir() + "flipora_saving_XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    std::string path = folder + "/Scores.txt";
    UseScoreFile(ScoreFileAt(path));
    ASSERT_TRUE(LoadScores(ScoreFileInUse()));
    int held = open((path + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    auto placeName = [](SDL_Keycode letter) {
        game.gameOver = 1;
        game.finalRank = 0;
        game.scoreInserted = 0;
        game.finalScore = 500;
        game.nameLength = 0;
        Press(letter);
        Press(SDLK_RETURN);
    };
    fakeTicks = 1000;
    placeName(SDLK_q);
    EXPECT_EQ(UnsavedEntryCount(), 1);
    RetryPendingSave(5900);  // 4.9 s: still only waiting
    EXPECT_TRUE(shownBoxes.empty());
    RetryPendingSave(6000);  // too soon after the last try: nothing happens
    EXPECT_TRUE(shownBoxes.empty());
    RetryPendingSave(6150);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_NE(shownBoxes[0].text.find(path + " (another game keeps it locked)"), std::string::npos);
    EXPECT_NE(shownBoxes[0].text.find("keeps trying"), std::string::npos);
    RetryPendingSave(6400);
    EXPECT_EQ(shownBoxes.size(), 1u);  // once per cause

    flock(held, LOCK_UN);
    close(held);
    RetryPendingSave(6500);  // 100 ms after the last try: not yet
    EXPECT_EQ(UnsavedEntryCount(), 1);
    RetryPendingSave(6650);
    EXPECT_EQ(UnsavedEntryCount(), 0);
    std::FILE* file = std::fopen(path.c_str(), "r");
    ASSERT_NE(file, nullptr);
    char text[64] = {};
    std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    std::string saved = text;
    EXPECT_EQ(saved.substr(saved.find('\n')),
              "\n500\n0\n0\n0\n0\nq\n \n \n \n \n0\n0\n0\n0\n0\n \n \n \n \n \n");

    UseScoreFile(ScoreFileAt(std::string("data/") + kScoreFileName));
    std::filesystem::remove_all(folder);
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
}

// Arrows and Enter act at their key-down events, without waiting for a pass of the loop.
TEST_F(ShellInput, ArrowsAndEnterActAtTheirKeyDowns)
{
    Press(SDLK_DOWN);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock);
    Repeat(SDLK_DOWN);
    Repeat(SDLK_DOWN);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 8) << "a held arrow walks on";
    Release(SDLK_DOWN);
    Press(SDLK_KP_ENTER);
    EXPECT_TRUE(game.blocks[8].animating);
    EXPECT_TRUE(game.clockRunning);

    // Onto Sound: a held Enter clicks once.
    for (SDL_Keycode key : {SDLK_RIGHT, SDLK_RIGHT, SDLK_RIGHT, SDLK_RIGHT, SDLK_DOWN, SDLK_DOWN})
        Press(key);
    ASSERT_EQ(keyboardHighlight.name, kNameSound);
    Press(SDLK_RETURN);
    Repeat(SDLK_RETURN);
    Repeat(SDLK_RETURN);
    EXPECT_TRUE(game.soundOn);
    EXPECT_EQ(game.picksInTurn, 1);
}

TEST_F(ShellInput, AWaitingNameTakesArrowsAndEnterFirst)
{
    Press(SDLK_RIGHT);
    ASSERT_EQ(keyboardHighlight.name, kNameFirstBlock);
    game.gameOver = 1;
    game.finalRank = 0;
    game.finalScore = 640;
    Press(SDLK_LEFT);
    Press(SDLK_F11);   // the window's key, never typed
    Press(SDLK_RETURN);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock);
    EXPECT_STREQ(saved.scoreNames[0], "%");
    EXPECT_EQ(saved.scoreValues[0], 640);
    EXPECT_TRUE(game.scoreInserted);
    EXPECT_FALSE(game.clockRunning) << "Enter placed the name and clicked nothing";
    EXPECT_EQ(frontEnd.fullScreenToggles, 1);
}

TEST_F(ShellInput, AnyMouseButtonHidesTheHighlight)
{
    Press(SDLK_UP);
    ASSERT_NE(keyboardHighlight.name, kNameNothing);
    DispatchSdlEvent(MouseDown(SDL_BUTTON_RIGHT));
    EXPECT_EQ(keyboardHighlight.name, kNameNothing);
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
    DispatchSdlEvent(Window(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_TRUE(shell.windowInactive);
    DispatchSdlEvent(Window(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_FALSE(shell.windowInactive);
    EXPECT_FALSE(shell.quitRequested);
}

// Closing posts the quit event behind what is already queued; the loop ends only when
// it takes that event, so the events before it are still handled.
TEST_F(ShellInput, CloseOnlyPostsTheQuitEvent)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event earlier = Key(SDL_KEYDOWN, SDLK_r);
    SDL_PushEvent(&earlier);

    SdlFrontEnd sdlFrontEnd;
    shell.frontEnd = &sdlFrontEnd;
    DispatchSdlEvent(Window(SDL_WINDOWEVENT_CLOSE));
    EXPECT_FALSE(shell.quitRequested);
    SDL_Event queued[4];
    int count = SDL_PeepEvents(queued, 4, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(queued[0].type, static_cast<Uint32>(SDL_KEYDOWN));
    EXPECT_EQ(queued[1].type, static_cast<Uint32>(SDL_QUIT));
    SDL_QuitSubSystem(SDL_INIT_EVENTS);

    // With no event queue to post to, the close still ends the game.
    DispatchSdlEvent(Window(SDL_WINDOWEVENT_CLOSE));
    EXPECT_TRUE(shell.quitRequested);
}

// The four game keys act at their key-downs: a tap whose press and release the loop takes
// between two passes still acts, once per press whatever the auto-repeat sends.
TEST_F(ShellInput, ATapOfEscapeQuitsTheLoop)
{
    Queue({Key(SDL_KEYDOWN, SDLK_ESCAPE), Key(SDL_KEYUP, SDLK_ESCAPE)});
    RunPasses(1);
    EXPECT_TRUE(shell.quitRequested);
    RunUntilQuit();
    EXPECT_EQ(frontEnd.events.size(), 1u) << "the loop ended at the press, not the release";

    shell.quitRequested = false;
    Queue({Key(SDL_KEYDOWN, SDLK_ESCAPE, KMOD_NONE, 1)});
    RunPasses(3);
    EXPECT_FALSE(shell.quitRequested) << "a repeat is no new press";
}

TEST_F(ShellInput, PageDownTogglesOncePerPressTapsIncluded)
{
    Queue({Key(SDL_KEYDOWN, SDLK_PAGEDOWN), Key(SDL_KEYDOWN, SDLK_PAGEDOWN, KMOD_NONE, 1),
           Key(SDL_KEYDOWN, SDLK_PAGEDOWN, KMOD_NONE, 1)});
    RunPasses(5);
    EXPECT_TRUE(game.blendBlocks);
    Queue({Key(SDL_KEYUP, SDLK_PAGEDOWN), Key(SDL_KEYDOWN, SDLK_PAGEDOWN),
           Key(SDL_KEYUP, SDLK_PAGEDOWN)});
    RunPasses(5);
    EXPECT_FALSE(game.blendBlocks);
}

TEST_F(ShellInput, HeldRKeepsTheClockAtZero)
{
    game.minutes = 1;
    game.secondsTens = 3;
    game.secondsOnes = 7;
    Queue({Key(SDL_KEYDOWN, SDLK_r)});
    RunPasses(1);
    EXPECT_EQ(game.minutes, 0);
    EXPECT_EQ(game.secondsTens, 0);
    EXPECT_EQ(game.secondsOnes, 0);
    // Every pass while R is down zeroes it again.
    game.secondsOnes = 9;
    RunPasses(1);
    EXPECT_EQ(game.secondsOnes, 0);
    Queue({Key(SDL_KEYUP, SDLK_r)});
    RunPasses(1);
    game.secondsOnes = 9;
    RunPasses(2);
    EXPECT_EQ(game.secondsOnes, 9);
}

TEST_F(ShellInput, ATapOfSpacePausesButNotAFinishedGame)
{
    game.pausedAlpha = 0.5f;
    Queue({Key(SDL_KEYDOWN, SDLK_SPACE), Key(SDL_KEYUP, SDLK_SPACE)});
    RunPasses(2);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.pausedAlpha, 0.0f);
    Queue({Key(SDL_KEYDOWN, SDLK_SPACE), Key(SDL_KEYDOWN, SDLK_SPACE, KMOD_NONE, 1)});
    RunPasses(4);
    EXPECT_FALSE(game.paused) << "the second press, its repeat not again";

    Queue({Key(SDL_KEYUP, SDLK_SPACE)});
    RunPasses(1);
    game.gameOver = true;
    game.pausedAlpha = 0.7f;
    Queue({Key(SDL_KEYDOWN, SDLK_SPACE)});
    RunPasses(1);
    EXPECT_FALSE(game.paused);
    EXPECT_EQ(game.pausedAlpha, 0.0f);
}

// The game asks, the front end shows: the question's answer decides, and after any box the
// game goes on from now with the picture drawn again.
TEST_F(ShellInput, TheQuitQuestionAndAboutAreShownAndAnswered)
{
    for (int i = 0; i < kBlockCount; ++i)
        game.blocks[i].pair = i % kPairCount;
    game.clockRunning = true;
    // Sound on: a pick plays the click, and without a box the picture stays.
    game.soundOn = true;
    shell.screen.current = true;
    keyboardHighlight.name = kNameFirstBlock + 3;
    Press(SDLK_RETURN);
    EXPECT_EQ(clickSoundPlays, 1);
    EXPECT_TRUE(shell.screen.current);
    EXPECT_TRUE(shownBoxes.empty());

    keyboardHighlight.name = kNameNew;
    shell.screen.current = true;
    shell.schedule.nextSlot = 77;
    scriptedAnswers = {false, true};
    Press(SDLK_RETURN);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text, "Are you sure you want to quit current game?");
    EXPECT_EQ(shownBoxes[0].title, "Quit Game");
    EXPECT_EQ(shownBoxes[0].buttons, BoxButtons::YesNo);
    EXPECT_EQ(shownBoxes[0].icon, BoxIcon::Exclamation);
    EXPECT_TRUE(shownBoxes[0].ownedByWindow);
    EXPECT_FALSE(game.newGameRequested) << "answered No";
    EXPECT_TRUE(game.buttons[0].pressed);
    EXPECT_FALSE(shell.screen.current);
    EXPECT_EQ(shell.schedule.nextSlot, 0u);

    keyboardHighlight.name = kNameMode;
    Press(SDLK_RETURN);
    EXPECT_TRUE(game.newGameRequested) << "answered Yes";
    EXPECT_FALSE(game.timeTrial);
    EXPECT_FALSE(game.soundOn);

    keyboardHighlight.name = kNameAbout;
    Press(SDLK_RETURN);
    ASSERT_EQ(shownBoxes.size(), 3u);
    EXPECT_EQ(shownBoxes[2].title, "About Flipora");
    EXPECT_NE(shownBoxes[2].text.find(std::string("Flipora, version ") + kGameVersion), std::string::npos);
    EXPECT_EQ(shownBoxes[2].buttons, BoxButtons::Ok);
    EXPECT_EQ(shownBoxes[2].icon, BoxIcon::Information);

    keyboardHighlight.name = kNameExit;
    Press(SDLK_RETURN);
    EXPECT_TRUE(shell.quitRequested);
}

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

// The game's own loop on the simulated counter and the scripted tick count: it sleeps
// to the slot, advances the passes due, presents when the picture changed (drawing costs
// drawTicks), then runs the end-of-game test.
class PacedLoop : public ShellInput {
protected:
    void SetUp() override
    {
        ShellInput::SetUp();
        RestartRandom();
        saved.gameCounter = 3;
        ShuffleBoard();
    }

    struct Counts {
        int passes = 0;
        int presented = 0;
    };

    Counts Run(double seconds, uint64_t drawTicks = 0, bool pictureLostEveryPass = false)
    {
        frontEnd.drawTicks = drawTicks;
        frontEnd.pictureLostEveryPass = pictureLostEveryPass;
        uint64_t passes = shell.passesRun;
        uint64_t presented = shell.framesPresented;
        uint64_t end = frontEnd.now + static_cast<uint64_t>(seconds * kFrequency);
        while (frontEnd.now < end)
            RunPass();
        return {static_cast<int>(shell.passesRun - passes),
                static_cast<int>(shell.framesPresented - presented)};
    }

    static int ClockSeconds() { return game.minutes * 60 + game.secondsTens * 10 + game.secondsOnes; }
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

FrameView lastDrawn;
void KeepDrawn(const FrameView& view) { lastDrawn = view; }

// Without the focus the game stands still, yet what another window uncovered is drawn
// again at once, as it was shown, and at rest nothing is drawn at all.
TEST_F(PacedLoop, AnUnfocusedWindowDrawsOnlyThePictureItLost)
{
    shell.draw = KeepDrawn;
    ClickBlock(0);
    Run(1.5);
    FrameView shown = shell.screen.shown;
    int clock = ClockSeconds();
    uint64_t passes = shell.passesRun;
    Queue({Window(SDL_WINDOWEVENT_FOCUS_LOST)});
    Counts idle = Run(3.0);
    EXPECT_EQ(idle.presented, 0);
    lastDrawn = FrameView{};
    for (Uint8 lost : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED}) {
        uint64_t before = frontEnd.now;
        Queue({Window(lost)});
        RunPasses(2);
        EXPECT_EQ(frontEnd.now, before) << "drawn at once, before any sleep";
        EXPECT_TRUE(lastDrawn == shown) << static_cast<int>(lost);
        EXPECT_EQ(Run(2.0).presented, 0) << "and once";
    }
    EXPECT_EQ(ClockSeconds(), clock);
    EXPECT_EQ(shell.passesRun, passes);
}

TEST_F(ShellInput, ExposureResizeAndRefocusLoseThePicture)
{
    for (Uint8 what : {SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_SIZE_CHANGED, SDL_WINDOWEVENT_FOCUS_GAINED}) {
        shell.screen.current = true;
        shell.schedule.nextSlot = 77;
        DispatchSdlEvent(Window(what));
        EXPECT_FALSE(shell.screen.current) << static_cast<int>(what);
    }
    EXPECT_EQ(shell.schedule.nextSlot, 0u) << "the game goes on from the moment the focus came back";
    shell.screen.current = true;
    DispatchSdlEvent(Window(SDL_WINDOWEVENT_MOVED));
    DispatchSdlEvent(Key(SDL_KEYDOWN, SDLK_a));
    EXPECT_TRUE(shell.screen.current);
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
