#include <GL/gl.h>

#include "game/game_state.h"
#include "game/scene_layout.h"
#include "render/render.h"

namespace {

struct TexturedVertex {
    GLfloat s, t;
    GLfloat x, y, z;
};

// Every list from kListFirstButton on belongs to one piece of the layout, in list order.
constexpr bool PanelListsInOrder()
{
    int next = kListFirstButton;
    for (const ScenePiece& at : kScenePieces) {
        if (at.list < 0)
            continue;
        if (at.list != next)
            return false;
        ++next;
    }
    return next == kDisplayListCount;
}
static_assert(PanelListsInOrder());

// A block's half side and half depth, short so the vertex tables below stay readable.
constexpr GLfloat H = static_cast<GLfloat>(kBlockHalf);
constexpr GLfloat D = static_cast<GLfloat>(kBlockHalfDepth);

// The box of a block without its back (z = -D), where the picture goes. Facing the
// viewer at angle 0 is the z = +D side, so a block lying face down shows the back.
constexpr TexturedVertex kBlockBody[20] = {
    {0, 0, -H, -H, D},  {1, 0, H, -H, D},   {1, 1, H, H, D},    {0, 1, -H, H, D},
    {0, 1, -H, H, -D},  {0, 0, -H, H, D},   {1, 0, H, H, D},    {1, 1, H, H, -D},
    {1, 1, -H, -H, -D}, {0, 1, H, -H, -D},  {0, 0, H, -H, D},   {1, 0, -H, -H, D},
    {1, 0, H, -H, -D},  {1, 1, H, H, -D},   {0, 1, H, H, D},    {0, 0, H, -H, D},
    {0, 0, -H, -H, -D}, {1, 0, -H, -H, D},  {1, 1, -H, H, D},   {0, 1, -H, H, -D},
};

// s runs from 1 at the left to 0 at the right, so that after the half turn about y the
// picture reads the right way round.
constexpr TexturedVertex kBlockFace[4] = {
    {1, 0, -H, -H, -D}, {1, 1, -H, H, -D}, {0, 1, H, H, -D}, {0, 0, H, -H, -D},
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

void EmitPieceQuad(const ScenePiece& at)
{
    EmitPlainQuad(static_cast<GLfloat>(at.halfWidth), static_cast<GLfloat>(at.halfHeight),
                  static_cast<GLfloat>(at.faceZ));
}

void OpenList(int offset, int textureIndex)
{
    glNewList(renderResources.listBase + static_cast<GLuint>(offset), GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, renderResources.textures[textureIndex]);
}

}  // namespace

void BuildDisplayLists()
{
    renderResources.listBase = glGenLists(kDisplayListCount);

    OpenList(kListBlockBody, 0);
    EmitQuads(kBlockBody, 20);
    glEndList();
    for (int list = kListFirstFace; list < kListFirstButton; ++list) {
        OpenList(list, 1 + (list - kListFirstFace) % kPairCount);
        EmitQuads(kBlockFace, 4);
        glEndList();
    }
    // Lists 17..28: the buttons, the score board, speakers and labels.
    for (const ScenePiece& at : kScenePieces) {
        if (at.list < 0)
            continue;
        OpenList(at.list, at.texture);
        EmitPieceQuad(at);
        glEndList();
    }
}
