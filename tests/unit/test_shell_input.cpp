// The shell's event side without a window: neutral event records, as every front end makes
// them, handed to the shell; the four game keys, the boxes and sounds the game asks for,
// the real loop on the null front end and a simulated counter, the window's size and
// limits, the pacing arithmetic and the command line. Built and run on every system.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <algorithm>
#include <filesystem>
#include <string>

#include "app/command_line.h"
#include "app/null/null_front_end.h"
#include "app/shell.h"
#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/null/null_platform.h"
#include "platform/score_store.h"
#include "render/render.h"
#include "scores/scores.h"

namespace {

// Pacing on a simulated counter of 60,000 ticks a second (1,000 per slot).
constexpr uint64_t kFrequency = 60000;
constexpr uint64_t kPeriod = kFrequency / kPassesPerSecond;

// The null front end, the picture lost before every pass if asked: records from a script;
// time is the null platform's counter, which only sleeping and presenting move (the rules'
// ticks follow it); boxes and sounds go to the null platform, which records them.
class ScriptedFrontEnd : public NullFrontEnd {
public:
    bool DispatchOneEvent() override
    {
        if (pictureLostEveryPass)
            HandleEvent(Record(Event::Kind::Exposed));
        return NullFrontEnd::DispatchOneEvent();
    }

    static Event Record(Event::Kind kind)
    {
        Event record;
        record.kind = kind;
        return record;
    }

    bool pictureLostEveryPass = false; // as if the window were exposed before every pass
};

void DrawNothing(const FrameView&) {}

class ShellInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        frameRate = FrameRate{};
        saved = SavedScores{};
        keyboardHighlight = KeyboardHighlight{};
        ResetFakePlatform();
        fakeFrequency = kFrequency;
        AdvanceFakeTime(5 * kFrequency);
        shell = ShellState{};
        shell.frontEnd = &frontEnd;
        shell.draw = DrawNothing;
    }

    // Events the front end hands on one per pass, as the loop takes them.
    void Queue(std::initializer_list<Event> events)
    {
        frontEnd.events.insert(frontEnd.events.end(), events);
    }
    void RunPasses(int count)
    {
        for (int i = 0; i < count; ++i)
            RunPass();
    }

    ScriptedFrontEnd frontEnd;

    static Event Key(Event::Kind kind, int key, bool repeat = false, bool system = false)
    {
        Event event = ScriptedFrontEnd::Record(kind);
        event.key = key;
        event.repeat = repeat;
        event.system = system;
        return event;
    }
    static Event Down(int key) { return Key(Event::Kind::KeyDown, key); }
    static Event Again(int key) { return Key(Event::Kind::KeyDown, key, true); }
    static Event Up(int key) { return Key(Event::Kind::KeyUp, key); }
    static Event Window(Event::Kind kind) { return ScriptedFrontEnd::Record(kind); }
    static Event MouseDown(bool left)
    {
        Event event = ScriptedFrontEnd::Record(Event::Kind::MouseDown);
        event.left = left;
        return event;
    }

    static void Press(int key) { HandleEvent(Down(key)); }
    static void Repeat(int key) { HandleEvent(Again(key)); }
    static void Release(int key) { HandleEvent(Up(key)); }
};

TEST_F(ShellInput, RIsHeldFromItsKeyDownToItsKeyUp)
{
    Press(kKeyR);
    EXPECT_TRUE(game.clockHeld);
    // Auto-repeat arrives as further key-downs and keeps the key down.
    Repeat(kKeyR);
    EXPECT_TRUE(game.clockHeld);
    Release(kKeyR);
    EXPECT_FALSE(game.clockHeld);
    // A key-up without its key-down changes nothing.
    Release(kKeySpace);
    EXPECT_FALSE(game.paused);
}

// The front ends mark Alt combinations, Alt itself and F10 as system keys.
TEST_F(ShellInput, SystemKeysAreNotTakenButTheirReleaseIs)
{
    game.minutes = 1;
    HandleEvent(Key(Event::Kind::KeyDown, kKeyR, false, true));
    HandleEvent(Key(Event::Kind::KeyDown, kKeySpace, false, true));
    HandleEvent(Key(Event::Kind::KeyDown, kKeyEscape, false, true));
    HandleEvent(Key(Event::Kind::KeyDown, kKeyF11, false, true));
    EXPECT_FALSE(game.clockHeld);
    EXPECT_EQ(game.minutes, 1);
    EXPECT_FALSE(game.paused);
    EXPECT_FALSE(shell.quitRequested);
    EXPECT_EQ(frontEnd.fullScreenToggles, 0);

    // R pressed, then Alt held while R comes up: R must not stay down for good.
    Press(kKeyR);
    HandleEvent(Key(Event::Kind::KeyUp, kKeyR, false, true));
    EXPECT_FALSE(game.clockHeld);
}

TEST_F(ShellInput, NameEntrySeesEveryKeyDownOfAPlacedGame)
{
    game.gameOver = 1;
    game.finalRank = 0;
    Press('A');
    Repeat('B');
    Repeat('B');
    Press('1');
    EXPECT_STREQ(game.nameBuffer, "abb1");

    // Escape still quits during name entry.
    Press(kKeyEscape);
    EXPECT_TRUE(shell.quitRequested);
    EXPECT_STREQ(game.nameBuffer, "abb1");
}

// A name placed while another game holds the lock: the game never waits for it. The entry
// waits and each pass tries again, at most every 250 ms; after 5 s a box says so, once,
// and the entry reaches the file as soon as the lock is free.
TEST_F(ShellInput, APlacedNameWaitsForAHeldLockWithoutStoppingTheGame)
{
    std::filesystem::path folder = std::filesystem::path(testing::TempDir()) /
                                   ("flipora_saving_" + std::to_string(std::rand()));
    std::filesystem::create_directories(folder);
    std::string path = (folder / "Scores.txt").string();
    UseScoreFile(ScoreFileAt(path));
    ASSERT_TRUE(LoadScores(ScoreFileInUse()));
    auto held = std::make_unique<ScoreFileLock>(path, false);
    ASSERT_EQ(held->State(), LockState::Held);

    auto placeName = [](int letter) {
        game.gameOver = 1;
        game.finalRank = 0;
        game.scoreInserted = 0;
        game.finalScore = 500;
        game.nameLength = 0;
        Press(letter);
        Press(kKeyEnter);
    };
    fakeTicks = 1000;
    placeName('Q');
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

    held.reset();
    RetryPendingSave(6500);  // 100 ms after the last try: not yet
    EXPECT_EQ(UnsavedEntryCount(), 1);
    RetryPendingSave(6650);
    EXPECT_EQ(UnsavedEntryCount(), 0);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char text[80] = {};
    std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    std::string saved = text;
    saved.erase(std::remove(saved.begin(), saved.end(), '\r'), saved.end());  // CR LF on Windows
    EXPECT_EQ(saved.substr(saved.find('\n')),
              "\n500\n0\n0\n0\n0\nq\n \n \n \n \n0\n0\n0\n0\n0\n \n \n \n \n \n");

    UseScoreFile(ScoreFileAt(std::string("data/") + kScoreFileName));
    std::filesystem::remove_all(folder);
}

TEST_F(ShellInput, NoNameEntryWithoutAPlace)
{
    game.gameOver = 1;
    game.finalRank = -1;
    Press('A');
    game.gameOver = 0;
    game.finalRank = 3;
    Press('B');
    EXPECT_EQ(game.nameLength, 0);
    EXPECT_EQ(game.nameBuffer[0], '\0');
}

// Arrows and Enter act at their key-down events, without waiting for a pass of the loop.
TEST_F(ShellInput, ArrowsAndEnterActAtTheirKeyDowns)
{
    Press(kKeyDown);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock);
    Repeat(kKeyDown);
    Repeat(kKeyDown);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 8) << "a held arrow walks on";
    Release(kKeyDown);
    Press(kKeyEnter);
    EXPECT_TRUE(game.blocks[8].animating);
    EXPECT_TRUE(game.clockRunning);

    // Onto Sound: a held Enter clicks once.
    for (int key : {kKeyRight, kKeyRight, kKeyRight, kKeyRight, kKeyDown, kKeyDown})
        Press(key);
    ASSERT_EQ(keyboardHighlight.name, kNameSound);
    Press(kKeyEnter);
    Repeat(kKeyEnter);
    Repeat(kKeyEnter);
    EXPECT_TRUE(game.soundOn);
    EXPECT_EQ(game.picksInTurn, 1);
}

TEST_F(ShellInput, AWaitingNameTakesArrowsAndEnterFirst)
{
    Press(kKeyRight);
    ASSERT_EQ(keyboardHighlight.name, kNameFirstBlock);
    game.gameOver = 1;
    game.finalRank = 0;
    game.finalScore = 640;
    Press(kKeyLeft);
    Press(kKeyF11);   // the window's key, never typed
    Press(kKeyEnter);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock);
    EXPECT_STREQ(saved.scoreNames[0], "%");
    EXPECT_EQ(saved.scoreValues[0], 640);
    EXPECT_TRUE(game.scoreInserted);
    EXPECT_FALSE(game.clockRunning) << "Enter placed the name and clicked nothing";
    EXPECT_EQ(frontEnd.fullScreenToggles, 1);
}

TEST_F(ShellInput, AnyMouseButtonHidesTheHighlight)
{
    Press(kKeyUp);
    ASSERT_NE(keyboardHighlight.name, kNameNothing);
    HandleEvent(MouseDown(false));
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
    HandleEvent(Window(Event::Kind::FocusLost));
    EXPECT_TRUE(shell.windowInactive);
    HandleEvent(Window(Event::Kind::FocusGained));
    EXPECT_FALSE(shell.windowInactive);
    EXPECT_FALSE(shell.quitRequested);
}

// Closing posts the quit event behind what is already queued; the loop ends only when
// it takes that event, so the events before it are still handled.
TEST_F(ShellInput, CloseOnlyPostsTheQuitEvent)
{
    Queue({Down(kKeyR)});
    HandleEvent(Window(Event::Kind::Close));
    EXPECT_FALSE(shell.quitRequested);
    ASSERT_EQ(frontEnd.events.size(), 2u);
    EXPECT_EQ(frontEnd.events[1].kind, Event::Kind::Quit);
    RunUntilQuit();
    EXPECT_TRUE(game.clockHeld) << "the key before the close was handled";
    EXPECT_TRUE(frontEnd.events.empty());

    // With no event queue to post to, the close still ends the game.
    shell.quitRequested = false;
    frontEnd.refuseQuit = true;
    HandleEvent(Window(Event::Kind::Close));
    EXPECT_TRUE(shell.quitRequested);
}

// The four game keys act at their key-downs: a tap whose press and release the loop takes
// between two passes still acts, once per press whatever the auto-repeat sends.
TEST_F(ShellInput, ATapOfEscapeQuitsTheLoop)
{
    Queue({Down(kKeyEscape), Up(kKeyEscape)});
    RunPasses(1);
    EXPECT_TRUE(shell.quitRequested);
    RunUntilQuit();
    EXPECT_EQ(frontEnd.events.size(), 1u) << "the loop ended at the press, not the release";

    shell.quitRequested = false;
    Queue({Again(kKeyEscape)});
    RunPasses(3);
    EXPECT_FALSE(shell.quitRequested) << "a repeat is no new press";
}

TEST_F(ShellInput, PageDownTogglesOncePerPressTapsIncluded)
{
    Queue({Down(kKeyPageDown), Again(kKeyPageDown),
           Again(kKeyPageDown)});
    RunPasses(5);
    EXPECT_TRUE(game.blendBlocks);
    Queue({Up(kKeyPageDown), Down(kKeyPageDown),
           Up(kKeyPageDown)});
    RunPasses(5);
    EXPECT_FALSE(game.blendBlocks);
}

TEST_F(ShellInput, HeldRKeepsTheClockAtZero)
{
    game.minutes = 1;
    game.secondsTens = 3;
    game.secondsOnes = 7;
    Queue({Down(kKeyR)});
    RunPasses(1);
    EXPECT_EQ(game.minutes, 0);
    EXPECT_EQ(game.secondsTens, 0);
    EXPECT_EQ(game.secondsOnes, 0);
    // Every pass while R is down zeroes it again.
    game.secondsOnes = 9;
    RunPasses(1);
    EXPECT_EQ(game.secondsOnes, 0);
    Queue({Up(kKeyR)});
    RunPasses(1);
    game.secondsOnes = 9;
    RunPasses(2);
    EXPECT_EQ(game.secondsOnes, 9);
}

TEST_F(ShellInput, ATapOfSpacePausesButNotAFinishedGame)
{
    game.pausedAlpha = 0.5f;
    Queue({Down(kKeySpace), Up(kKeySpace)});
    RunPasses(2);
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.pausedAlpha, 0.0f);
    Queue({Down(kKeySpace), Again(kKeySpace)});
    RunPasses(4);
    EXPECT_FALSE(game.paused) << "the second press, its repeat not again";

    Queue({Up(kKeySpace)});
    RunPasses(1);
    game.gameOver = true;
    game.pausedAlpha = 0.7f;
    Queue({Down(kKeySpace)});
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
    Press(kKeyEnter);
    EXPECT_EQ(clickSoundPlays, 1);
    EXPECT_TRUE(shell.screen.current);
    EXPECT_TRUE(shownBoxes.empty());

    keyboardHighlight.name = kNameNew;
    shell.screen.current = true;
    shell.schedule.nextSlot = 77;
    scriptedAnswers = {false, true};
    Press(kKeyEnter);
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
    Press(kKeyEnter);
    EXPECT_TRUE(game.newGameRequested) << "answered Yes";
    EXPECT_FALSE(game.timeTrial);
    EXPECT_FALSE(game.soundOn);

    keyboardHighlight.name = kNameAbout;
    Press(kKeyEnter);
    ASSERT_EQ(shownBoxes.size(), 3u);
    EXPECT_EQ(shownBoxes[2].title, "About Flipora");
    EXPECT_NE(shownBoxes[2].text.find(std::string("Flipora, version ") + kGameVersion), std::string::npos);
    EXPECT_EQ(shownBoxes[2].buttons, BoxButtons::Ok);
    EXPECT_EQ(shownBoxes[2].icon, BoxIcon::Information);

    keyboardHighlight.name = kNameExit;
    Press(kKeyEnter);
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
        frontEnd.presentTicks = drawTicks;
        frontEnd.pictureLostEveryPass = pictureLostEveryPass;
        uint64_t passes = shell.passesRun;
        uint64_t presented = shell.framesPresented;
        uint64_t end = fakeCounter + static_cast<uint64_t>(seconds * kFrequency);
        while (fakeCounter < end)
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
    EXPECT_STREQ(frameRate.text, "FPS: 61") << "passes whose picture is on screen count";
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
    int figure = std::atoi(frameRate.text + 5);
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
    Queue({Window(Event::Kind::FocusLost)});
    Counts idle = Run(3.0);
    EXPECT_EQ(idle.presented, 0);
    lastDrawn = FrameView{};
    for (Event::Kind lost : {Event::Kind::Exposed, Event::Kind::Size}) {
        uint64_t before = fakeCounter;
        Queue({Window(lost)});
        RunPasses(2);
        EXPECT_EQ(fakeCounter, before) << "drawn at once, before any sleep";
        EXPECT_TRUE(lastDrawn == shown) << static_cast<int>(lost);
        EXPECT_EQ(Run(2.0).presented, 0) << "and once";
    }
    EXPECT_EQ(ClockSeconds(), clock);
    EXPECT_EQ(shell.passesRun, passes);
}

TEST_F(ShellInput, ExposureResizeAndRefocusLoseThePicture)
{
    for (Event::Kind what : {Event::Kind::Exposed, Event::Kind::Size, Event::Kind::FocusGained}) {
        shell.screen.current = true;
        shell.schedule.nextSlot = 77;
        HandleEvent(Window(what));
        EXPECT_FALSE(shell.screen.current) << static_cast<int>(what);
    }
    EXPECT_EQ(shell.schedule.nextSlot, 0u) << "the game goes on from the moment the focus came back";
    shell.screen.current = true;
    HandleEvent(Down('A'));
    EXPECT_TRUE(shell.screen.current);

    // While the window is being made the records are the opening's own: nothing happens.
    shell.frontEnd = nullptr;
    EXPECT_FALSE(HandleEvent(Window(Event::Kind::Exposed)));
    EXPECT_FALSE(HandleEvent(Down(kKeyEscape)));
    EXPECT_TRUE(shell.screen.current);
    EXPECT_FALSE(shell.quitRequested);
}


// The window opens at the design's size at the display's scale, never larger than the
// display's work area holds (in the same proportions) nor smaller than the smallest size;
// its drawable never grows beyond what the GL draws, nor beyond 8192 pixels a side.
TEST(GameWindow, SizeFollowsTheDisplayAndLimitsFollowTheGl)
{
    struct {
        DisplayArea display;
        int width, height;
    } const sizes[] = {
        {{1.0, 0, 0}, 1016, 676},  // nothing known: the design
        {{1.0, 1280, 1024}, 1016, 676},
        {{1.5, 0, 0}, 1524, 1014},
        {{2.0, 1920, 1040}, 1563, 1040},  // 2032 x 1352 does not fit: the height decides
        {{1.0, 800, 600}, 800, 532},      // the width decides
        {{1.0, 640, 480}, kSmallestClientWidth, kSmallestClientHeight},
        {{0.0, 0, 0}, 1016, 676},  // a scale that says nothing counts as 1
    };
    for (const auto& c : sizes) {
        int width = 0, height = 0;
        WindowSizeFor(c.display, &width, &height);
        EXPECT_EQ(width, c.width) << c.display.scale << " " << c.display.workWidth;
        EXPECT_EQ(height, c.height) << c.display.scale << " " << c.display.workWidth;
    }

    const int unknown[2] = {0, 0};
    const int huge[2] = {16384, 16384};
    const int small[2] = {4096, 2048};
    WindowLimits limits = WindowLimitsFor(unknown);
    EXPECT_EQ(limits.smallestWidth, 762);
    EXPECT_EQ(limits.smallestHeight, 507);
    EXPECT_EQ(limits.largestDrawableWidth, kLargestDrawableSide);
    EXPECT_EQ(WindowLimitsFor(huge).largestDrawableHeight, 8192);
    EXPECT_EQ(WindowLimitsFor(small).largestDrawableWidth, 4096);
    EXPECT_EQ(WindowLimitsFor(small).largestDrawableHeight, 2048);
}

// A front end whose display or window fails at a chosen step, and whose closing fails too.
class FailingFrontEnd : public NullFrontEnd {
public:
    bool OpenDisplay(DisplayArea* display, WindowFailure* failure) override
    {
        display->scale = 1.5;
        return Step(WindowStep::Display, failure);
    }
    bool OpenWindow(const WindowRequest& asked, WindowFailure* failure) override
    {
        NullFrontEnd::OpenWindow(asked, failure);
        return Step(WindowStep::PixelFormat, failure);
    }
    std::vector<WindowFailure> CloseWindow() override
    {
        ++closes;
        return closeFailures;
    }

    WindowStep failAt = WindowStep::Display;
    std::vector<WindowFailure> closeFailures;
    int closes = 0;

private:
    bool Step(WindowStep step, WindowFailure* failure)
    {
        if (failAt != step)
            return true;
        *failure = {step, "as scripted"};
        return false;
    }
};

// A window that cannot be made: what was made is released first, then the step's own text
// is shown in an unowned box; a failure in releasing it is shown as a shutdown error.
// Without a display no box can show, and none is tried.
TEST(GameWindow, AFailedOpeningIsReleasedThenShown)
{
    ResetFakePlatform();
    FailingFrontEnd frontEnd;
    frontEnd.failAt = WindowStep::PixelFormat;
    frontEnd.closeFailures = {{WindowStep::ReleaseContext, "busy"}};
    EXPECT_FALSE(OpenGameWindow(frontEnd));
    EXPECT_EQ(frontEnd.request.width, 1524) << "the display's scale";
    EXPECT_EQ(frontEnd.request.height, 1014);
    EXPECT_EQ(frontEnd.request.colourBits, kColourBits);
    EXPECT_STREQ(frontEnd.request.title, kWindowTitle);
    EXPECT_EQ(frontEnd.closes, 1);
    ASSERT_EQ(shownBoxes.size(), 2u);
    EXPECT_EQ(shownBoxes[0].title, "SHUTDOWN ERROR");
    EXPECT_EQ(shownBoxes[0].text, "Release Of DC And RC Failed.");
    EXPECT_EQ(shownBoxes[1].title, "ERROR");
    EXPECT_EQ(shownBoxes[1].text, "Can't Find A Suitable PixelFormat.");
    EXPECT_EQ(shownBoxes[1].icon, BoxIcon::Exclamation);
    EXPECT_FALSE(shownBoxes[1].ownedByWindow);

    shownBoxes.clear();
    frontEnd.failAt = WindowStep::Display;
    frontEnd.closeFailures.clear();
    EXPECT_FALSE(OpenGameWindow(frontEnd));
    EXPECT_TRUE(shownBoxes.empty());
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
