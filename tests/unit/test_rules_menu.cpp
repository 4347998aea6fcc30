#include <string>

#include "game/identity.h"
#include "tests/unit/test_rules_fixture.h"

class MenuTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        LayKnownBoard();
        saved.gameCounter = 10;
    }

    // A game under way: the clock runs after the first block click.
    static void PlaySomeOfAGame()
    {
        ClickBlock(0);
        ClickBlock(8);
        RunFrames(18);
    }
};

TEST_F(MenuTest, QuestionAnsweredNoChangesNothingButThePress)
{
    PlaySomeOfAGame();
    // Asked and never confirmed: the answer was No.
    EXPECT_EQ(RunMenuCommand(kNameNew).askQuitGame, kNameNew);
    EXPECT_EQ(RunMenuCommand(kNameMode).askQuitGame, kNameMode);
    EXPECT_TRUE(game.buttons[0].pressed);
    EXPECT_TRUE(game.buttons[1].pressed);
    EXPECT_FALSE(game.reshufflePending);
    EXPECT_FALSE(game.newGameRequested);
    EXPECT_EQ(saved.gameCounter, 10);
    EXPECT_TRUE(game.timeTrial);
    EXPECT_FALSE(game.soundOn);
    EXPECT_EQ(game.blocks[0].direction, 1.0f);
}

TEST_F(MenuTest, NewAnsweredYesStartsANewGameAtTheNextDeal)
{
    PlaySomeOfAGame();
    ConfirmQuitGame(RunMenuCommand(kNameNew).askQuitGame);
    EXPECT_TRUE(game.reshufflePending);
    EXPECT_TRUE(game.newGameRequested);
    EXPECT_EQ(saved.gameCounter, 11);
    EXPECT_EQ(game.moves, 1);  // counters wait for the deal
    RunFrames(18);
    EXPECT_FALSE(game.reshufflePending);
    EXPECT_EQ(game.moves, 0);
    EXPECT_FALSE(game.clockRunning);
}

TEST_F(MenuTest, NewOrModeWithoutARunningGameAskNothing)
{
    EXPECT_EQ(RunMenuCommand(kNameNew).askQuitGame, kNameNothing);
    EXPECT_TRUE(game.newGameRequested);
    game.gameOver = true;  // over: the clock was stopped by the end test
    EXPECT_EQ(RunMenuCommand(kNameMode).askQuitGame, kNameNothing);
    EXPECT_FALSE(game.timeTrial);
}

TEST_F(MenuTest, ModeFlipsModeAndSoundTogether)
{
    RunMenuCommand(kNameMode);
    ExpectModeAndSound(false, 1, 0, true, 0);
    EXPECT_TRUE(game.newGameRequested);
    RunMenuCommand(kNameMode);
    ExpectModeAndSound(true, 0, 5, false, 1);
    EXPECT_EQ(saved.gameCounter, 12);
}

TEST_F(MenuTest, SoundSwitchesAtOnceDuringAGame)
{
    PlaySomeOfAGame();
    EXPECT_EQ(RunMenuCommand(kNameSound).askQuitGame, kNameNothing);
    EXPECT_TRUE(game.soundOn);
    EXPECT_EQ(ViewOfGame().soundIcon, 0);
    EXPECT_TRUE(game.buttons[2].pressed);
    EXPECT_TRUE(ClickBlock(1).playClick);
    RunMenuCommand(kNameSound);
    EXPECT_FALSE(game.soundOn);
    EXPECT_EQ(ViewOfGame().soundIcon, 1);
    EXPECT_FALSE(ClickBlock(9).playClick);
}

TEST_F(MenuTest, HelpTogglesExceptWhenTheGameIsOver)
{
    RunMenuCommand(kNameHelp);
    EXPECT_TRUE(game.helpShown);
    RunMenuCommand(kNameHelp);
    EXPECT_FALSE(game.helpShown);
    game.gameOver = true;
    game.buttons[3].pressed = false;
    RunMenuCommand(kNameHelp);
    EXPECT_FALSE(game.helpShown);
    EXPECT_TRUE(game.buttons[3].pressed);
}

// The mouse and Enter click alike: every command of the four big buttons pushes its own in.
TEST_F(MenuTest, EveryClickPressesItsButton)
{
    for (int i = 0; i < kButtonCount; ++i) {
        RunMenuCommand(kNameNew + i);
        for (int j = 0; j < kButtonCount; ++j)
            EXPECT_EQ(game.buttons[j].pressed, j <= i) << i << " " << j;
    }
}

TEST_F(MenuTest, AboutAsksForItsBoxAndPressesNothing)
{
    PlaySomeOfAGame();
    Requests requests = RunMenuCommand(kNameAbout);
    EXPECT_TRUE(requests.showAbout);
    EXPECT_FALSE(requests.quit);
    for (const MenuButton& button : game.buttons)
        EXPECT_FALSE(button.pressed);
    EXPECT_TRUE(game.clockRunning);
}

TEST_F(MenuTest, ExitQuitsWithoutAQuestion)
{
    PlaySomeOfAGame();
    Requests requests = RunMenuCommand(kNameExit);
    EXPECT_TRUE(requests.quit);
    EXPECT_EQ(requests.askQuitGame, kNameNothing);
}

TEST_F(MenuTest, OtherNamesDoNothing)
{
    PlaySomeOfAGame();
    for (int name : {0, 100, 108, 115, 122, 99}) {
        Requests requests = RunMenuCommand(name);
        EXPECT_EQ(requests.askQuitGame, kNameNothing);
        EXPECT_FALSE(requests.showAbout || requests.quit || requests.playClick);
    }
    EXPECT_FALSE(game.helpShown);
    EXPECT_FALSE(game.soundOn);
    EXPECT_FALSE(game.reshufflePending);
    for (const MenuButton& button : game.buttons)
        EXPECT_FALSE(button.pressed);
}
