#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"

RenderResources renderResources;

bool BuildScene()
{
    if (!LoadTextures())
        return false;
    BuildDisplayLists();
    InitGLState();
    BuildTextFonts();
    return true;
}
