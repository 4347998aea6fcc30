#include "game/game_state.h"
#include "game/rules.h"

namespace {

constexpr float kBlockStep = 10.0f;    // degrees per frame
constexpr float kFaceUpAngle = 180.0f;
constexpr float kButtonStep = 0.1f;    // scene units per frame
constexpr float kButtonTravel = 0.3f;

void StepBlock(int32_t index)
{
    Block& block = game.blocks[index];
    block.angle = ClampFloat(0.0f, kFaceUpAngle, block.angle + kBlockStep * block.direction);
    if (block.angle == 0.0f) {
        block.animating = false;
        block.direction = ToggleDirection(block.direction);
    }
    // Checked while stepping each block, so blocks after the last pick turn back in this
    // same frame and those before it one frame later.
    if (game.boardCleared && game.blocks[game.lastPickOfBoard].angle == kFaceUpAngle) {
        ResetRound();
        game.boardCleared = false;
    }
}

void StepButton(MenuButton& button)
{
    button.depth = ClampFloat(0.0f, kButtonTravel, button.depth + kButtonStep * button.direction);
    if (button.depth == kButtonTravel)
        button.direction = ToggleDirection(button.direction);
    if (button.depth == 0.0f) {
        button.pressed = false;
        button.direction = ToggleDirection(button.direction);
    }
}

}  // namespace

float ToggleDirection(float direction)
{
    return direction == 1.0f ? direction - 2.0f : direction + 2.0f;
}

void UpdateAnimations()
{
    for (int32_t i = 0; i < kBlockCount; ++i) {
        if (game.blocks[i].animating)
            StepBlock(i);
    }
    for (MenuButton& button : game.buttons) {
        if (button.pressed)
            StepButton(button);
    }
    // The next board is dealt only once the first pick's block has come to rest.
    if (game.reshufflePending && !game.blocks[game.firstPick].animating) {
        StartNextBoard();
        game.reshufflePending = false;
    }
}
