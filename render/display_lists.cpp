#include <GL/gl.h>

#include "game/game_state.h"
#include "render/render.h"

namespace {

struct TexturedVertex {
    GLfloat s, t;
    GLfloat x, y, z;
};

// Texture indices of lists 17..28 (from kListFirstButton): buttons, score board, speakers,
// mode and clock labels.
constexpr int kPanelTextures[12] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

// The box of a block without its back (z = -0.5), where the picture goes. Facing the
// viewer at angle 0 is the z = +0.5 side, so a block lying face down shows the back.
constexpr TexturedVertex kBlockBody[20] = {
    {0, 0, -3, -3, 0.5f},  {1, 0, 3, -3, 0.5f},   {1, 1, 3, 3, 0.5f},    {0, 1, -3, 3, 0.5f},
    {0, 1, -3, 3, -0.5f},  {0, 0, -3, 3, 0.5f},   {1, 0, 3, 3, 0.5f},    {1, 1, 3, 3, -0.5f},
    {1, 1, -3, -3, -0.5f}, {0, 1, 3, -3, -0.5f},  {0, 0, 3, -3, 0.5f},   {1, 0, -3, -3, 0.5f},
    {1, 0, 3, -3, -0.5f},  {1, 1, 3, 3, -0.5f},   {0, 1, 3, 3, 0.5f},    {0, 0, 3, -3, 0.5f},
    {0, 0, -3, -3, -0.5f}, {1, 0, -3, -3, 0.5f},  {1, 1, -3, 3, 0.5f},   {0, 1, -3, 3, -0.5f},
};

// s runs from 1 at the left to 0 at the right, so that after the half turn about y the
// picture reads the right way round.
constexpr TexturedVertex kBlockFace[4] = {
    {1, 0, -3, -3, -0.5f}, {1, 1, -3, 3, -0.5f}, {0, 1, 3, 3, -0.5f}, {0, 0, 3, -3, -0.5f},
};

void EmitQuads(const TexturedVertex* vertices, int count)
{
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        glTexCoord2f(vertices[i].s, vertices[i].t);
        glVertex3f(vertices[i].x, vertices[i].y, vertices[i].z);
    }
    glEnd();
}

void EmitPlainQuad(GLfloat halfWidth, GLfloat halfHeight, GLfloat z)
{
    const TexturedVertex quad[4] = {
        {0, 0, -halfWidth, -halfHeight, z},
        {1, 0, halfWidth, -halfHeight, z},
        {1, 1, halfWidth, halfHeight, z},
        {0, 1, -halfWidth, halfHeight, z},
    };
    EmitQuads(quad, 4);
}

// Lists 17..28 in order: four big buttons, About and Exit, the score board, two
// speakers, two mode labels and the clock label.
void EmitPanelQuad(int list)
{
    if (list < kListFirstButton + 4)
        EmitPlainQuad(3, 1, 0);
    else if (list < kListScoreBoard)
        EmitPlainQuad(1.5f, 0.5f, 0);
    else if (list == kListScoreBoard)
        EmitPlainQuad(4, 6, 0);
    else if (list < kListTimeTrialLabel)
        EmitPlainQuad(1, 1, 0.5f);
    else
        EmitPlainQuad(1.5f, 0.5f, 0.5f);
}

void OpenList(int offset, int textureIndex)
{
    glNewList(game.listBase + static_cast<GLuint>(offset), GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, game.textures[textureIndex]);
}

}  // namespace

void BuildDisplayLists()
{
    game.listBase = glGenLists(kDisplayListCount);

    OpenList(kListBlockBody, 0);
    EmitQuads(kBlockBody, 20);
    glEndList();
    for (int list = kListFirstFace; list < kListFirstButton; ++list) {
        OpenList(list, 1 + (list - kListFirstFace) % kPairCount);
        EmitQuads(kBlockFace, 4);
        glEndList();
    }
    for (int list = kListFirstButton; list < kDisplayListCount; ++list) {
        OpenList(list, kPanelTextures[list - kListFirstButton]);
        EmitPanelQuad(list);
        glEndList();
    }
}
