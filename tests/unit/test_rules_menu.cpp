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
        game.mouseDown = true;  // the click handler sets it before every command
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
    scriptedAnswers = {false, false};
    RunMenuCommand(kNameNew);
    RunMenuCommand(kNameMode);
    ASSERT_EQ(shownBoxes.size(), 2u);
    for (const ShownBox& box : shownBoxes) {
        EXPECT_EQ(box.text, "Are you sure you want to quit current game?");
        EXPECT_EQ(box.title, "Quit Game");
        EXPECT_EQ(box.buttons, BoxButtons::YesNo);
        EXPECT_EQ(box.icon, BoxIcon::Exclamation);
        EXPECT_TRUE(box.ownedByWindow);
    }
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
    scriptedAnswers = {true};
    RunMenuCommand(kNameNew);
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
    RunMenuCommand(kNameNew);
    EXPECT_TRUE(shownBoxes.empty());
    EXPECT_TRUE(game.newGameRequested);
    game.gameOver = true;  // over: the clock was stopped by the end test
    RunMenuCommand(kNameMode);
    EXPECT_TRUE(shownBoxes.empty());
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
    RunMenuCommand(kNameSound);
    EXPECT_TRUE(shownBoxes.empty());
    EXPECT_TRUE(game.soundOn);
    EXPECT_EQ(ViewOfGame().soundIcon, 0);
    EXPECT_TRUE(game.buttons[2].pressed);
    ClickBlock(1);
    EXPECT_EQ(clickSoundPlays, 1);
    RunMenuCommand(kNameSound);
    EXPECT_FALSE(game.soundOn);
    EXPECT_EQ(ViewOfGame().soundIcon, 1);
    ClickBlock(9);
    EXPECT_EQ(clickSoundPlays, 1);
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

TEST_F(MenuTest, PressCopiesTheMouseFlag)
{
    game.mouseDown = false;
    RunMenuCommand(kNameSound);
    EXPECT_FALSE(game.buttons[2].pressed);
    EXPECT_TRUE(game.soundOn);
}

TEST_F(MenuTest, AboutShowsTheGameAndVersion)
{
    PlaySomeOfAGame();
    RunMenuCommand(kNameAbout);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].title, "About Flipora");
    EXPECT_NE(shownBoxes[0].text.find("Flipora"), std::string::npos);
    EXPECT_NE(shownBoxes[0].text.find(std::string("version ") + kGameVersion), std::string::npos);
    EXPECT_EQ(shownBoxes[0].buttons, BoxButtons::Ok);
    EXPECT_EQ(shownBoxes[0].icon, BoxIcon::Information);
    EXPECT_TRUE(shownBoxes[0].ownedByWindow);
    for (const MenuButton& button : game.buttons)
        EXPECT_FALSE(button.pressed);
    EXPECT_TRUE(game.clockRunning);
}

TEST_F(MenuTest, ExitQuitsWithoutAQuestion)
{
    PlaySomeOfAGame();
    RunMenuCommand(kNameExit);
    EXPECT_TRUE(game.quitRequested);
    EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(MenuTest, OtherNamesDoNothing)
{
    PlaySomeOfAGame();
    for (int name : {0, 100, 108, 115, 122, 99}) {
        RunMenuCommand(name);
    }
    EXPECT_TRUE(shownBoxes.empty());
    EXPECT_FALSE(game.quitRequested);
    EXPECT_FALSE(game.helpShown);
    EXPECT_FALSE(game.soundOn);
    EXPECT_FALSE(game.reshufflePending);
    for (const MenuButton& button : game.buttons)
        EXPECT_FALSE(button.pressed);
}
