#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"

bool BuildScene()
{
    for (Block& block : game.blocks)
        block.direction = 1.0f;
    for (MenuButton& button : game.buttons)
        button.direction = 1.0f;
    if (!LoadTextures())
        return false;
    BuildDisplayLists();
    ShuffleBoard();  // the deal needs listBase
    InitGLState();
    BuildTextFonts();
    return true;
}
