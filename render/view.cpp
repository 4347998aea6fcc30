#include <GL/gl.h>
#include <GL/glu.h>

#include "game/scene_layout.h"
#include "platform/gl_context.h"
#include "render/render.h"

void ResizeView(int width, int height)
{
    // A size event can come while the window is being made, before any context exists;
    // the view is set again once it does.
    if (!GlContextIsCurrent())
        return;
    if (height == 0)
        height = 1;  // a minimised window
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultiplySceneProjection(width, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void MaxViewportSize(int size[2])
{
    GLint dims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
    size[0] = dims[0];
    size[1] = dims[1];
}

void MultiplySceneProjection(int width, int height)
{
    if (height <= 0)
        height = 1;
    gluPerspective(FieldOfViewFor(width, height),
                   static_cast<GLdouble>(width) / static_cast<GLdouble>(height), kNearPlane, kFarPlane);
}

void InitGLState()
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.27f, 0.3f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    // Lighting stays off for good; the light is set up but never lights anything.
    const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 0.2f};
    const GLfloat diffuse[4] = {1.0f, 1.0f, 1.0f, 0.2f};
    const GLfloat position[4] = {0.0f, 0.0f, -52.0f, 0.2f};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);
    glColor4f(0.3f, 0.3f, 0.3f, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}
