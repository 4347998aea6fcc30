// A whole normal game played through the rules alone, the way the main loop drives them:
// clicks between frames, and per frame the clock tick, the animation step and the end
// test. Then the name is typed, the scores saved and read back.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "game/constants.h"
#include "game/frame_view.h"
#include "scores/scores.h"
#include "tests/unit/test_rules_fixture.h"

class WholeGameTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        filePath = (std::filesystem::temp_directory_path() /
                    ("flipora_whole_game_" + std::to_string(getpid()) + ".txt")).string();
        file.path = filePath;
    }

    void TearDown() override
    {
        std::filesystem::remove(filePath);
    }

    static void Frame()
    {
        fakeTicks += 17;
        AdvancePass(fakeTicks);
        CheckGameOver();
    }

    static bool BoardAtRest()
    {
        for (const Block& block : game.blocks) {
            if (block.animating)
                return false;
        }
        return !game.reshufflePending;
    }

    // Frames until the pending deal has happened and every block lies face down.
    static int FramesUntilBoardAtRest()
    {
        int frames = 0;
        while (!BoardAtRest() && frames < 1000) {
            Frame();
            ++frames;
        }
        return frames;
    }

    // Clears the board in play with eight perfect turns, its pairs read from the deal.
    static void ClearBoard()
    {
        bool done[kBlockCount] = {};
        for (int i = 0; i < kBlockCount; ++i) {
            if (done[i])
                continue;
            int partner = PartnerOf(i);
            ASSERT_GE(partner, 0);
            done[i] = done[partner] = true;
            clicksAsked += ClickBlock(i).playClick;
            for (int f = 0; f < 3; ++f)
                Frame();
            clicksAsked += ClickBlock(partner).playClick;
            for (int f = 0; f < 18; ++f)
                Frame();
        }
    }

    static inline int clicksAsked = 0;  // click sounds the picks asked for
    std::string filePath;
    ScoreFile file;  // at filePath
};

TEST_F(WholeGameTest, NormalGameOfThreePerfectBoardsIsSavedAndReadBack)
{
    // Start-up: counter from the file, first deal, time trial with sound off.
    saved.gameCounter = 42;
    ShuffleBoard();
    Frame();

    // Mode before any click goes ahead without a question: normal mode, sound on.
    EXPECT_EQ(RunMenuCommand(kNameMode).askQuitGame, kNameNothing);
    ASSERT_FALSE(game.timeTrial);
    ASSERT_EQ(ScoreTableOffset(), 0);
    FramesUntilBoardAtRest();
    EXPECT_EQ(saved.gameCounter, 43);

    for (int board = 1; board <= 3; ++board) {
        SCOPED_TRACE(board);
        ClearBoard();
        EXPECT_EQ(game.boardsCleared, board);
        EXPECT_EQ(game.moves, 8 * board);
        EXPECT_EQ(game.gameOver, board == 3);
        int frames = FramesUntilBoardAtRest();
        EXPECT_GT(frames, 17);  // the cleared board turned back before the deal
        EXPECT_EQ(saved.gameCounter, 43 + board);
    }

    EXPECT_EQ(game.moves, 24);
    EXPECT_EQ(clicksAsked, 48);
    EXPECT_TRUE(game.gameOver);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_EQ(game.finalScore, 1000);
    EXPECT_EQ(game.finalRank, 0);

    // A placed game routes every key-down to name entry.
    for (int key : {'A', 'B', '1'})
        OnGameKey(key, false);
    EXPECT_STREQ(game.nameBuffer, "ab1");
    EXPECT_EQ(OnGameKey(kKeyEnter, false).placedSlot, 0);
    // A repeat while the blocks turn back places nothing more.
    EXPECT_EQ(OnGameKey(kKeyEnter, true).placedSlot, -1);
    EXPECT_EQ(saved.scoreValues[1], 0);
    FramesUntilBoardAtRest();
    EXPECT_FALSE(game.gameOver);
    EXPECT_FALSE(game.scoreInserted);
    EXPECT_EQ(game.moves, 0);
    EXPECT_EQ(game.minutes, 2);

    // Exit: the counter advances once more and the file is written.
    saved.gameCounter = WrapCounter(saved.gameCounter + 1, 99);
    ASSERT_EQ(saved.gameCounter, 48);
    ASSERT_TRUE(SaveScores(file));

    saved.gameCounter = 0;
    std::memset(saved.scoreValues, 0, sizeof saved.scoreValues);
    std::memset(saved.scoreNames, 0, sizeof saved.scoreNames);
    LoadScores(file);
    EXPECT_EQ(saved.gameCounter, 48);
    EXPECT_EQ(saved.scoreValues[0], 1000);
    EXPECT_STREQ(saved.scoreNames[0], "ab1");
    for (int slot = 1; slot < kScoreSlots; ++slot)
        EXPECT_EQ(saved.scoreValues[slot], 0) << slot;
}
