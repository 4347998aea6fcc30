// Picking real points of a real frame: every block at every stage of its turn, every
// button also while pushed in, and nothing where nothing clickable is.
#include <GL/gl.h>

#include <algorithm>

#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"

namespace {

int32_t PickPoint(WindowPoint point)
{
    return PickAt(static_cast<int>(point.x + 0.5), static_cast<int>(point.y + 0.5));
}

// Rightmost window column any corner of the turned block reaches: the box's silhouette
// lies inside the hull of its projected corners.
double RightmostCorner(int block, float angle)
{
    double right = -1e9;
    for (double x : {-3.0, 3.0})
        for (double y : {-3.0, 3.0})
            for (double z : {-0.5, 0.5})
                right = std::max(right, ProjectOnBlock(block, angle, x, y, z).x);
    return right;
}

// A point on the side of the box that faces the viewer at that angle: the back until
// the block is edge-on, its left side when edge-on, the picture after.
WindowPoint FacingPoint(int block, float angle)
{
    if (angle < 90)
        return ProjectOnBlock(block, angle, 1.5, 1.5, 0.5);
    if (angle > 90)
        return ProjectOnBlock(block, angle, 1.5, 1.5, -0.5);
    return ProjectOnBlock(block, angle, -3, 1.5, 0.2);
}

void ExpectEveryBlockPicked(float angle)
{
    for (int i = 0; i < kBlockCount; ++i) {
        game.blocks[i].angle = angle;
        game.blocks[i].animating = angle != 0.0f;
    }
    for (int i = 0; i < kBlockCount; ++i) {
        EXPECT_EQ(PickPoint(ProjectOnBlock(i, 0, 0, 0, 0)), kNameFirstBlock + i)
            << "centre of block " << i << " at " << angle << " degrees";
        // A point on the side facing the viewer, away from the centre.
        EXPECT_EQ(PickPoint(FacingPoint(i, angle)), kNameFirstBlock + i)
            << "off-centre point of block " << i << " at " << angle << " degrees";
    }
}

}  // namespace

TEST_F(GlTest, EveryBlockIsPickedFaceDownFaceUpAndMidTurn)
{
    for (float angle : {0.0f, 60.0f, 90.0f, 130.0f, 180.0f}) {
        game.blendBlocks = false;
        ExpectEveryBlockPicked(angle);
        game.blendBlocks = true;
        ExpectEveryBlockPicked(angle);
    }
}

TEST_F(GlTest, PickingFollowsTheTurnOfABlock)
{
    // Near the right edge of a block lying flat; once it has turned 60 degrees that point
    // lies beside it, in the gap before the next column.
    for (int i = 0; i < kBlockCount; ++i) {
        WindowPoint nearEdge = ProjectOnBlock(i, 0, 2.8, 0, 0.5);
        ASSERT_GT(nearEdge.x, RightmostCorner(i, 60) + 2) << "test point must lie beside the turned block";
        game.blocks[i].angle = 0;
        EXPECT_EQ(PickPoint(nearEdge), kNameFirstBlock + i);
        game.blocks[i].angle = 60;
        EXPECT_EQ(PickPoint(nearEdge), kNameNothing) << "block " << i;
    }
}

TEST_F(GlTest, EveryButtonIsPickedAlsoWhilePressed)
{
    for (float depth : {0.0f, 0.1f, 0.3f}) {
        for (int i = 0; i < kButtonCount; ++i) {
            game.buttons[i].depth = depth;
            game.buttons[i].pressed = depth != 0.0f;
            WindowPoint centre = ProjectToWindow(15, 11.5 - 2 * i, -48 - depth);
            EXPECT_EQ(PickPoint(centre), kNameNew + i) << "button " << i << " at depth " << depth;
        }
    }
    EXPECT_EQ(PickPoint(ProjectToWindow(13, -11.8, -48)), kNameAbout);
    EXPECT_EQ(PickPoint(ProjectToWindow(17, -11.8, -48)), kNameExit);
    // Corners of About and Exit, inside by a little.
    EXPECT_EQ(PickPoint(ProjectToWindow(13 - 1.4, -11.8 + 0.4, -48)), kNameAbout);
    EXPECT_EQ(PickPoint(ProjectToWindow(17 + 1.4, -11.8 - 0.4, -48)), kNameExit);
}

TEST_F(GlTest, NothingClickableGivesZero)
{
    DrawAndRead();
    struct Place {
        const char* what;
        WindowPoint point;
    };
    const Place places[] = {
        {"background left of the board", ProjectToWindow(-18.5, 0, -50)},
        {"gap between four blocks", ProjectToWindow(-10.8, 6.4, -50)},
        {"gap between two blocks", ProjectToWindow(-4.4, -9.6, -50)},
        {"panel background", ProjectToWindow(19.0, 2.0, -49.4)},
        {"score board", ProjectToWindow(15.3, -5, -49)},
        {"speaker icon", ProjectToWindow(13.5, 2.6, -48.5)},
        {"mode label", ProjectToWindow(16.3, 3.1, -48.5)},
        {"clock label", ProjectToWindow(16.3, 2.1, -48.5)},
        {"score list text", ProjectToWindow(2.6, -1.0, -10)},
        {"frame-rate text", ProjectToWindow(-3.9, 2.55, -10)},
        {"between About and Exit", ProjectToWindow(15, -11.8, -48)},
    };
    for (const Place& place : places) {
        // Right after a hit, so a stale name from the last pick would show.
        ASSERT_EQ(PickPoint(ProjectOnBlock(5, 0, 0, 0, 0)), kNameFirstBlock + 5);
        EXPECT_EQ(PickPoint(place.point), kNameNothing) << place.what;
    }
}

TEST_F(GlTest, APickBetweenTwoDrawsOfOneViewDisturbsNothing)
{
    ClickBlock(5);
    game.buttons[1].depth = 0.2f;
    FrameView view = AdvancePass();
    DrawFrame(view);
    glFinish();
    Frame before = ReadFrame();
    PickAt(10, 10);
    ASSERT_EQ(PickPoint(ProjectOnBlock(6, 0, 0, 0, 0)), kNameFirstBlock + 6);
    DrawFrame(view);
    glFinish();
    EXPECT_TRUE(ReadFrame().pixels == before.pixels);
}

TEST_F(GlTest, PickingRestoresTheViewAndRenderMode)
{
    GLdouble before[16], after[16];
    glGetDoublev(GL_PROJECTION_MATRIX, before);
    PickPoint(ProjectOnBlock(0, 0, 0, 0, 0));
    glGetDoublev(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(before[i], after[i]);
    GLint mode = 0, renderMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_RENDER_MODE, &renderMode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(renderMode, GL_RENDER);
}
