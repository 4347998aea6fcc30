// Drawing only when the picture changes shows, at every pass, exactly what drawing every
// pass shows. Scripted games run pass by pass as the loop runs them; every pass is drawn
// and read back, and a pass whose view equals the one last drawn must have drawn the same
// pixels. A drawing input missing from the view (or from its comparison) shows up here as
// a pass whose view is unchanged while its picture is not.
#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "game/constants.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"
#include "scores/scores.h"
#include "tests/gl/gl_harness.h"
#include "platform/null/null_platform.h"

namespace {


uint64_t HashPixels(const std::vector<uint8_t>& pixels)
{
    uint64_t hash = 1469598103934665603ull;
    size_t words = pixels.size() / 8;
    for (size_t i = 0; i < words; ++i) {
        uint64_t word;
        std::memcpy(&word, pixels.data() + 8 * i, 8);
        hash = (hash ^ word) * 1099511628211ull;
    }
    for (size_t i = words * 8; i < pixels.size(); ++i)
        hash = (hash ^ pixels[i]) * 1099511628211ull;
    return hash;
}

struct Pass {
    std::string stage;
    FrameView view;
    uint64_t picture;  // hash of the pixels drawing this pass's view gives
};

class DrawingOnChange : public GlTest {
protected:
    // Passes at 60 a second of scripted time, each drawn, then the end-of-game test.
    void Passes(int count)
    {
        for (int i = 0; i < count; ++i) {
            fakeTicks += 1000 / 60 + (passes.size() % 3 == 0);
            FrameView view = AdvancePass(fakeTicks);
            DrawFrame(view);
            glFinish();
            passes.push_back({stage, view, HashPixels(ReadFrame().pixels)});
            CheckGameOver();
        }
    }

    static int BlockOfPair(int32_t pair, int skip)
    {
        for (int i = 0; i < kBlockCount; ++i)
            if (game.blocks[i].pair == pair && skip-- == 0)
                return i;
        return -1;
    }

    void Turn(int32_t firstPair, int32_t secondPair)
    {
        ClickBlock(BlockOfPair(firstPair, 0));
        Passes(20);
        ClickBlock(BlockOfPair(secondPair, firstPair == secondPair ? 1 : 0));
        Passes(20);
    }

    // A key held over passes, auto-repeating, as the game takes it.
    void PressKey(int key, int passesHeld = 1)
    {
        for (int i = 0; i < passesHeld; ++i) {
            OnGameKey(key, i > 0);
            Passes(1);
        }
        OnGameKeyUp(key);
    }

    // Passes where the view stayed as last drawn but the picture did not: what the
    // player would miss with drawing only on change.
    std::vector<std::string> Misses(int* drawn) const
    {
        std::vector<std::string> misses;
        const Pass* onScreen = nullptr;
        *drawn = 0;
        for (size_t i = 0; i < passes.size(); ++i) {
            if (!onScreen || !(passes[i].view == onScreen->view)) {
                onScreen = &passes[i];
                ++*drawn;
                continue;
            }
            if (passes[i].picture != onScreen->picture)
                misses.push_back("pass " + std::to_string(i) + " (" + passes[i].stage + ")");
        }
        return misses;
    }

    void ExpectNoMisses()
    {
        int drawn = 0;
        std::vector<std::string> misses = Misses(&drawn);
        EXPECT_TRUE(misses.empty()) << misses.size() << " passes differ, first "
                                    << (misses.empty() ? "" : misses.front());
        // The script has rest in it as well as movement: many passes draw nothing new.
        EXPECT_GT(static_cast<int>(passes.size()) - drawn, 100);
        EXPECT_GT(drawn, 100);
    }

    std::string stage;
    std::vector<Pass> passes;
};

TEST_F(DrawingOnChange, ATimeTrialToItsEndWithTheNameTyped)
{
    stage = "start, empty table";
    Passes(70);
    stage = "help on and off";
    RunMenuCommand(kNameHelp);
    Passes(3);
    RunMenuCommand(kNameHelp);
    Passes(3);
    stage = "a match and a mismatch";
    Turn(2, 2);
    Turn(4, 5);
    stage = "the mismatch turns back";
    ClickBlock(BlockOfPair(6, 0));
    Passes(70);  // the clock steps on
    stage = "sound button pressed";
    RunMenuCommand(kNameSound);
    Passes(8);
    stage = "translucent";
    PressKey(kKeyPageDown);
    Passes(3);
    stage = "paused";
    PressKey(kKeySpace);
    Passes(25);
    PressKey(kKeySpace);
    Passes(3);
    stage = "new game dealt while translucent";
    ConfirmQuitGame(RunMenuCommand(kNameNew).askQuitGame);
    Passes(30);
    stage = "opaque again";
    PressKey(kKeyPageDown);
    Passes(2);
    stage = "a match, then R runs the clock out";
    Turn(1, 1);
    PressKey(kKeyR, 2);
    ASSERT_TRUE(game.gameOver);
    ASSERT_GE(game.finalRank, 0);
    stage = "game over banner fading in";
    Passes(25);
    stage = "name typed";
    for (int key : {int{'M'}, int{'I'}, int{'R'}, int{'A'}, int{kKeyBackspace}, int{'A'}, int{kKeyEnter}}) {
        HandleNameKey(key);
        Passes(2);
    }
    ASSERT_TRUE(game.scoreInserted);
    stage = "after the game";
    Passes(5);
    ExpectNoMisses();
}

TEST_F(DrawingOnChange, ANormalGameWithHelpAndTranslucency)
{
    std::strcpy(saved.scoreNames[0], "Ann");
    saved.scoreValues[0] = 1500;
    stage = "start";
    Passes(62);
    stage = "mode switched: a new normal game";
    RunMenuCommand(kNameMode);
    Passes(30);
    stage = "help over the normal table";
    RunMenuCommand(kNameHelp);
    Passes(8);
    stage = "a pick hides the help";
    Turn(3, 3);
    stage = "translucent turns";
    PressKey(kKeyPageDown);
    Turn(0, 1);
    Turn(5, 5);
    PressKey(kKeyPageDown);
    stage = "paused, then a pick ends the pause";
    PressKey(kKeySpace);
    Passes(10);
    Turn(7, 7);
    stage = "at rest";
    Passes(62);
    ExpectNoMisses();
}

}  // namespace
