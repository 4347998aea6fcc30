#include <GL/gl.h>
#include <GL/glu.h>

#include "render/render.h"

namespace {

// Every clickable object is drawn with exactly one name on the stack, so a hit record is
// four entries (count, min depth, max depth, name) and the first name sits at entry 3.
constexpr int kSelectionEntries = 32;
constexpr int kFirstHitName = 3;

}  // namespace

int32_t PickAt(int x, int y)
{
    GLuint selection[kSelectionEntries] = {};
    glSelectBuffer(kSelectionEntries, selection);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glRenderMode(GL_SELECT);
    glLoadIdentity();
    // Window y runs up from the bottom; the mouse's runs down from the top.
    gluPickMatrix(x, viewport[3] - y, 2, 2, viewport);
    MultiplySceneProjection(viewport[2], viewport[3]);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DrawBoardAndButtons(ViewOfGame());
    glRenderMode(GL_RENDER);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return static_cast<int32_t>(selection[kFirstHitName]);
}
