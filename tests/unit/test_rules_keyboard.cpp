// Keyboard play: the highlight's walk over the board and the menu buttons, and Enter as a
// click on the highlighted item through the mouse's own path.
#include "tests/unit/test_rules_fixture.h"

namespace {

class KeyboardTest : public RulesTest {
protected:
    static void Press(std::initializer_list<Arrow> arrows)
    {
        for (Arrow arrow : arrows)
            MoveHighlight(arrow);
    }
};

TEST_F(KeyboardTest, TheFirstArrowShowsTheTopLeftBlockWhicheverItIs)
{
    for (Arrow arrow : {Arrow::Left, Arrow::Right, Arrow::Up, Arrow::Down}) {
        keyboardHighlight.name = kNameNothing;
        MoveHighlight(arrow);
        EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock);
    }
}

TEST_F(KeyboardTest, ArrowsStepOverTheBoardWithoutWrapping)
{
    Press({Arrow::Down, Arrow::Up, Arrow::Up, Arrow::Left});
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock) << "held at the top-left corner";
    Press({Arrow::Down, Arrow::Down, Arrow::Right});
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 2 * 4 + 1);
    Press({Arrow::Down, Arrow::Down, Arrow::Down});
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 3 * 4 + 1) << "held at the bottom row";
    Press({Arrow::Left, Arrow::Left});
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 3 * 4);
}

TEST_F(KeyboardTest, RightFromTheLastColumnGoesToNewAndLeftComesBack)
{
    Press({Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Right, Arrow::Right, Arrow::Right});
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 2 * 4 + 3);
    MoveHighlight(Arrow::Right);
    EXPECT_EQ(keyboardHighlight.name, kNameNew);
    MoveHighlight(Arrow::Right);
    EXPECT_EQ(keyboardHighlight.name, kNameNew) << "nothing lies right of the buttons";
    MoveHighlight(Arrow::Up);
    EXPECT_EQ(keyboardHighlight.name, kNameNew);
    int32_t walked[6];
    walked[0] = keyboardHighlight.name;
    for (int i = 1; i < 6; ++i) {
        MoveHighlight(Arrow::Down);
        walked[i] = keyboardHighlight.name;
    }
    EXPECT_EQ(walked[1], kNameMode);
    EXPECT_EQ(walked[2], kNameSound);
    EXPECT_EQ(walked[3], kNameHelp);
    EXPECT_EQ(walked[4], kNameAbout);
    EXPECT_EQ(walked[5], kNameExit);
    MoveHighlight(Arrow::Down);
    EXPECT_EQ(keyboardHighlight.name, kNameExit) << "no wrapping below Exit";
    MoveHighlight(Arrow::Up);
    EXPECT_EQ(keyboardHighlight.name, kNameAbout);
    MoveHighlight(Arrow::Left);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock + 2 * 4 + 3) << "back to the block it left";
}

TEST_F(KeyboardTest, EnterOnABlockPlaysItAsAClickWould)
{
    LayKnownBoard();
    ClickHighlighted();
    EXPECT_FALSE(game.clockRunning) << "a hidden highlight clicks nothing";

    Press({Arrow::Right, Arrow::Right});   // shown on block 0, then block 1
    game.helpShown = true;
    ClickHighlighted();
    EXPECT_TRUE(game.clockRunning);
    EXPECT_FALSE(game.helpShown);
    EXPECT_TRUE(game.blocks[1].animating);
    EXPECT_EQ(game.firstPick, 1);
    // Down twice: block 9, the partner of block 1 on the known board.
    Press({Arrow::Down, Arrow::Down});
    ClickHighlighted();
    EXPECT_EQ(game.moves, 1);
    EXPECT_EQ(game.pairsOnBoard, 1);
    // A face-up block ignores Enter exactly as it ignores a click.
    ClickHighlighted();
    EXPECT_EQ(game.picksInTurn, 2);
    EXPECT_EQ(game.moves, 1);
}

TEST_F(KeyboardTest, EnterOnAButtonRunsItsCommandWithThePress)
{
    LayKnownBoard();
    Press({Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Down,
           Arrow::Down});
    ASSERT_EQ(keyboardHighlight.name, kNameSound);
    ClickHighlighted();
    EXPECT_TRUE(game.soundOn);
    EXPECT_TRUE(game.buttons[2].pressed);

    // New during a game asks first, as the mouse's New does.
    MoveHighlight(Arrow::Left);
    ClickHighlighted();
    Press({Arrow::Right, Arrow::Up, Arrow::Up});
    ASSERT_EQ(keyboardHighlight.name, kNameNew);
    Requests asked = ClickHighlighted();
    ASSERT_EQ(asked.askQuitGame, kNameNew);
    EXPECT_FALSE(game.newGameRequested) << "not before the Yes";
    ConfirmQuitGame(asked.askQuitGame);
    EXPECT_TRUE(game.newGameRequested);

    Press({Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Down});
    ASSERT_EQ(keyboardHighlight.name, kNameExit);
    EXPECT_TRUE(ClickHighlighted().quit);
}

TEST_F(KeyboardTest, AMouseClickHidesTheHighlight)
{
    Press({Arrow::Down, Arrow::Right});
    HideHighlight();
    EXPECT_EQ(keyboardHighlight.name, kNameNothing);
    MoveHighlight(Arrow::Down);
    EXPECT_EQ(keyboardHighlight.name, kNameFirstBlock) << "shown again at the top left";
}

}  // namespace
