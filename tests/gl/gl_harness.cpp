#include "tests/gl/gl_harness.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/null/null_platform.h"
#include "platform/offscreen.h"
#include "render/offscreen_scene.h"
#include "render/render.h"

namespace {

bool started = false;

}  // namespace

void StartGameOnce()
{
    if (started)
        return;
    // The game's scene start-up on a fresh deal of game 1, read from the source tree's data/.
    ASSERT_EQ(chdir(SourceDir().c_str()), 0);
    saved.gameCounter = 1;
    StartFirstGame();
    ASSERT_TRUE(StartOffscreenScene("gl_tests", kWindowWidth, kWindowHeight));
    started = true;
}

void ResetPlayKeepingResources()
{
    // The render's resources are not the game's: a fresh game leaves them as they are.
    game = GameState{};
    frameRate = FrameRate{};
    saved = SavedScores{};
    saved.gameCounter = 1;
    keyboardHighlight = KeyboardHighlight{};
    ResetFakePlatform();
    RestartRandom();
    ShuffleBoard();
    ASSERT_EQ(chdir(SourceDir().c_str()), 0);
}

void GlTest::SetUp()
{
    StartGameOnce();
    ASSERT_TRUE(started);
    ResetPlayKeepingResources();
}

WindowPoint ProjectToWindow(double x, double y, double z)
{
    GLdouble modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    return {wx, viewport[3] - wy};
}

WindowPoint ProjectOnBlock(int block, float angle, double x, double y, double z)
{
    double radians = angle * M_PI / 180.0;
    double turnedX = x * std::cos(radians) + z * std::sin(radians);
    double turnedZ = -x * std::sin(radians) + z * std::cos(radians);
    return ProjectToWindow(blockPositions[block][0] + turnedX, blockPositions[block][1] + y,
                           blockPositions[block][2] + turnedZ);
}

Rgb Frame::At(int x, int yFromTop) const
{
    size_t index = (static_cast<size_t>(yFromTop) * kWindowWidth + x) * 3;
    return {pixels[index], pixels[index + 1], pixels[index + 2]};
}

Rgb Frame::Mean(int x0, int y0, int x1, int y1) const
{
    long sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            Rgb pixel = At(x, y);
            sum[0] += pixel.r;
            sum[1] += pixel.g;
            sum[2] += pixel.b;
            ++count;
        }
    }
    if (count == 0)
        return {};
    return {static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
            static_cast<int>(sum[2] / count)};
}

Frame ReadFrame()
{
    return {ReadBackBuffer(kWindowWidth, kWindowHeight)};
}

Frame DrawAndRead()
{
    DrawFrame(AdvancePass(fakeTicks));
    glFinish();
    return ReadFrame();
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.x0 >= outer.x0 && inner.y0 >= outer.y0 && inner.x1 <= outer.x1 && inner.y1 <= outer.y1;
}

bool IsDark(const Rgb& pixel)
{
    return pixel.r < 50 && pixel.g < 50 && pixel.b < 50;
}

Difference Compare(const Frame& a, const Frame& b)
{
    Difference difference;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            Rgb pa = a.At(x, y), pb = b.At(x, y);
            if (pa.r == pb.r && pa.g == pb.g && pa.b == pb.b)
                continue;
            ++difference.count;
            difference.darkInFirst += IsDark(pa);
            difference.box = {std::min(difference.box.x0, x), std::min(difference.box.y0, y),
                              std::max(difference.box.x1, x + 1), std::max(difference.box.y1, y + 1)};
        }
    }
    return difference;
}
