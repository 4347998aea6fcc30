// The view, the fixed GL state and where the per-frame steps sit inside a frame.
#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"
#include "platform/heap.h"
#include "platform/null/null_platform.h"

TEST_F(GlTest, ResizeViewFollowsTheClientAreaAndSurvivesAZeroHeight)
{
    GLint viewport[4];
    ResizeView(800, 0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 1);

    // A wider window keeps the vertical field of view: the block centre rows stay put
    // and the board moves towards the middle.
    ResizeView(2 * kWindowWidth, kWindowHeight);
    WindowPoint wide = ProjectToWindow(blockPositions[0][0], blockPositions[0][1], blockPositions[0][2]);
    ResizeView(kWindowWidth, kWindowHeight);
    WindowPoint normal = ProjectToWindow(blockPositions[0][0], blockPositions[0][1], blockPositions[0][2]);
    EXPECT_NEAR(wide.y, normal.y, 0.01);
    EXPECT_NEAR(wide.x - kWindowWidth, (normal.x - kWindowWidth / 2.0), 0.01);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(GlTest, InitGLStateSetsTheFixedStateTable)
{
    glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glBlendFunc(GL_ONE, GL_ZERO);
    InitGLState();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE);
    GLfloat clear[4], colour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[1], 0.27f);
    EXPECT_FLOAT_EQ(clear[2], 0.3f);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 0.3f);
    EXPECT_FLOAT_EQ(colour[3], 1.0f);
}

TEST_F(GlTest, AFrameShowsTheBoardBeforeItsUpdateAndTicksTheClockOnce)
{
    DrawAndRead();
    Frame before = DrawAndRead();
    ClickBlock(5);
    ASSERT_TRUE(game.blocks[5].animating);
    Frame picked = DrawAndRead();
    // Drawn at the angle it had, then stepped by the frame's update.
    EXPECT_EQ(game.blocks[5].angle, 10.0f);
    WindowPoint centre = ProjectOnBlock(5, 0, 0, 0, 0.5);
    Rgb was = before.Mean(static_cast<int>(centre.x) - 20, static_cast<int>(centre.y) - 20,
                          static_cast<int>(centre.x) + 20, static_cast<int>(centre.y) + 20);
    Rgb now = picked.Mean(static_cast<int>(centre.x) - 20, static_cast<int>(centre.y) - 20,
                          static_cast<int>(centre.x) + 20, static_cast<int>(centre.y) + 20);
    EXPECT_EQ(was.r, now.r);
    EXPECT_EQ(was.g, now.g);
    EXPECT_EQ(was.b, now.b);

    // Each frame counts once; a second later the figure is the frames drawn since.
    fakeTicks = 500;
    DrawAndRead();
    fakeTicks = 1001;
    DrawAndRead();
    EXPECT_STREQ(frameRate.text, "FPS: 4");
    EXPECT_EQ(game.minutes * 100 + game.secondsTens * 10 + game.secondsOnes, 159)
        << "the first click started the clock";
}

TEST_F(GlTest, DrawingWritesNothingOfTheGameAndRedrawsTheSamePicture)
{
    ClickBlock(2);
    game.paused = true;
    game.blendBlocks = true;
    AdvancePass(fakeTicks);
    FrameView view = AdvancePass(fakeTicks);
    std::vector<unsigned char> before(sizeof game);
    std::memcpy(before.data(), &game, sizeof game);
    DrawFrame(view);
    glFinish();
    Frame first = ReadFrame();
    DrawFrame(view);
    glFinish();
    EXPECT_EQ(std::memcmp(before.data(), &game, sizeof game), 0) << "drawing changed the game";
    EXPECT_TRUE(ReadFrame().pixels == first.pixels);
    EXPECT_FALSE(AdvancePass(fakeTicks) == view) << "the block still turns and the banner fades";
}

TEST_F(GlTest, TheFrameIsReadBackTopRowFirst)
{
    // The scene's clear, then the top three rows of the window in red.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kWindowHeight - 3, kWindowWidth, 3);
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    InitGLState();
    glFinish();
    Frame frame = ReadFrame();
    ASSERT_EQ(frame.pixels.size(), static_cast<size_t>(kWindowWidth) * kWindowHeight * 3);
    for (int y : {0, 2}) {
        EXPECT_EQ(frame.At(0, y).r, 255);
        EXPECT_EQ(frame.At(kWindowWidth - 1, y).g, 0);
    }
    for (int y : {3, kWindowHeight - 1}) {
        EXPECT_EQ(frame.At(0, y).r, 0) << "row " << y;
        EXPECT_EQ(frame.At(kWindowWidth - 1, y).g, 69) << "row " << y;  // 0.27 of 255
    }
}

#if defined(__GLIBC__)
// A frame's worth of freed heap stays in the heap for the next frame instead of going back
// to the system: the heap keeps its size, its top lies free for reuse.
TEST_F(GlTest, TheStartedSceneKeepsFreedHeapForTheNextFrame)
{
    constexpr size_t kChunk = 60 << 10;  // below glibc's mmap threshold: from the heap
    std::vector<void*> chunks(kKeptFreeBytes / 2 / kChunk);
    for (void*& chunk : chunks)
        chunk = std::malloc(kChunk);
    size_t heapInUse = mallinfo2().arena;
    for (auto it = chunks.rbegin(); it != chunks.rend(); ++it)
        std::free(*it);
    struct mallinfo2 freed = mallinfo2();
    EXPECT_EQ(freed.arena, heapInUse) << "the freed heap went back to the system";
    EXPECT_GE(freed.keepcost, chunks.size() * kChunk / 2);
}
#endif
