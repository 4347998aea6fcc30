#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"

RenderResources renderResources;

bool BuildScene()
{
    for (Block& block : game.blocks)
        block.direction = 1.0f;
    for (MenuButton& button : game.buttons)
        button.direction = 1.0f;
    if (!LoadTextures())
        return false;
    BuildDisplayLists();
    ShuffleBoard();
    InitGLState();
    BuildTextFonts();
    return true;
}
