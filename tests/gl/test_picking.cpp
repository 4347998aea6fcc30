// Picking real points of a real frame: every block at every stage of its turn, every
// button also while pushed in, and nothing where nothing clickable is.
#include <GL/gl.h>

#include <algorithm>
#include <utility>

#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/scene_layout.h"
#include "game/text_layout.h"
#include "render/render.h"
#include "platform/null/null_platform.h"
#include "tests/gl/gl_harness.h"

namespace {

int32_t PickPoint(WindowPoint point)
{
    return PickAt(static_cast<int>(point.x + 0.5), static_cast<int>(point.y + 0.5));
}

// The middle of a piece's quad where it shows.
WindowPoint Centre(const ScenePiece& piece)
{
    return ProjectToWindow(piece.x, piece.y, piece.z + piece.faceZ);
}

// A corner of the quad, inside its edges by a little: sx and sy are -1 (left, bottom) or 1.
WindowPoint InsideCorner(const ScenePiece& piece, int sx, int sy)
{
    return ProjectToWindow(piece.x + sx * (piece.halfWidth - 0.1),
                           piece.y + sy * (piece.halfHeight - 0.1), piece.z + piece.faceZ);
}

// Rightmost window column any corner of the turned block reaches: the box's silhouette
// lies inside the hull of its projected corners.
double RightmostCorner(int block, float angle)
{
    double right = -1e9;
    for (double x : {-kBlockHalf, kBlockHalf})
        for (double y : {-kBlockHalf, kBlockHalf})
            for (double z : {-kBlockHalfDepth, kBlockHalfDepth})
                right = std::max(right, ProjectOnBlock(block, angle, x, y, z).x);
    return right;
}

// A point on the side of the box that faces the viewer at that angle: the back until
// the block is edge-on, its left side when edge-on, the picture after.
WindowPoint FacingPoint(int block, float angle)
{
    const double off = kBlockHalf / 2;
    if (angle < 90)
        return ProjectOnBlock(block, angle, off, off, kBlockHalfDepth);
    if (angle > 90)
        return ProjectOnBlock(block, angle, off, off, -kBlockHalfDepth);
    return ProjectOnBlock(block, angle, -kBlockHalf, off, 0.2);
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
        WindowPoint nearEdge = ProjectOnBlock(i, 0, kBlockHalf - 0.2, 0, kBlockHalfDepth);
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
            const ScenePiece& button = kScenePieces[static_cast<int>(Piece::New) + i];
            WindowPoint centre = ProjectToWindow(button.x, button.y, button.z - depth);
            EXPECT_EQ(PickPoint(centre), kNameNew + i) << "button " << i << " at depth " << depth;
        }
    }
    const ScenePiece& aboutButton = PieceOf(Piece::About);
    const ScenePiece& exitButton = PieceOf(Piece::Exit);
    EXPECT_EQ(PickPoint(Centre(aboutButton)), kNameAbout);
    EXPECT_EQ(PickPoint(Centre(exitButton)), kNameExit);
    // Corners of About and Exit, inside by a little.
    EXPECT_EQ(PickPoint(InsideCorner(aboutButton, -1, 1)), kNameAbout);
    EXPECT_EQ(PickPoint(InsideCorner(exitButton, 1, -1)), kNameExit);
}

// Picking shares the view's projection at every window shape: at 4:3, 5:4 and portrait,
// where the view widens its field of view, each block and button is picked where it shows,
// the Exit button to its right end.
TEST_F(GlTest, PickingFollowsTheViewAtEveryWindowShape)
{
    const ScenePiece& exitButton = PieceOf(Piece::Exit);
    for (auto [width, height] : {std::pair{800, 600}, {1280, 1024}, {600, 900}, {1920, 1080}}) {
        ResizeView(width, height);
        for (int i = 0; i < kBlockCount; ++i)
            EXPECT_EQ(PickPoint(ProjectOnBlock(i, 0, 0, 0, 0)), kNameFirstBlock + i)
                << "block " << i << " at " << width << " x " << height;
        for (int i = 0; i < kMenuButtonCount; ++i) {
            const ScenePiece& button = kScenePieces[static_cast<int>(Piece::New) + i];
            EXPECT_EQ(PickPoint(Centre(button)), kNameNew + i) << "button " << i << " at " << width << " x " << height;
        }
        WindowPoint exitEnd = InsideCorner(exitButton, 1, -1);
        EXPECT_LT(exitEnd.x, width) << width << " x " << height;
        EXPECT_EQ(PickPoint(exitEnd), kNameExit) << width << " x " << height;
    }
    ResizeView(kWindowWidth, kWindowHeight);
}

TEST_F(GlTest, NothingClickableGivesZero)
{
    DrawAndRead();
    struct Place {
        const char* what;
        WindowPoint point;
    };
    auto between = [](const double* centres, int i) { return (centres[i] + centres[i + 1]) / 2; };
    const ScenePiece& panel = PieceOf(Piece::MenuPanel);
    const ScenePiece& aboutButton = PieceOf(Piece::About);
    const ScenePiece& exitButton = PieceOf(Piece::Exit);
    const Place places[] = {
        {"background left of the board",
         ProjectToWindow(kBlockColumnX[0] - kBlockHalf - 1.5, 0, kBlockZ)},
        {"gap between four blocks",
         ProjectToWindow(between(kBlockColumnX, 0), between(kBlockRowY, 0), kBlockZ)},
        {"gap between two blocks", ProjectToWindow(between(kBlockColumnX, 1), kBlockRowY[3], kBlockZ)},
        {"panel background", ProjectToWindow(panel.x + 3.0, 2.0, panel.z)},
        {"score board", Centre(PieceOf(Piece::ScoreBoard))},
        {"speaker icon", Centre(PieceOf(Piece::SpeakerOn))},
        {"mode label", Centre(PieceOf(Piece::TimeTrialLabel))},
        {"clock label", Centre(PieceOf(Piece::ClockLabel))},
        {"score list text", ProjectToWindow(kScoreFirstRow.x + 0.15, kScoreFirstRow.y, kTextZ)},
        {"frame-rate text", ProjectToWindow(kFrameRateText.x + 0.1, kFrameRateText.y, kTextZ)},
        {"between About and Exit",
         ProjectToWindow((aboutButton.x + exitButton.x) / 2, aboutButton.y, aboutButton.z)},
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
    FrameView view = AdvancePass(fakeTicks);
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
