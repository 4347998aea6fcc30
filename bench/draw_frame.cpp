// The cost of one frame: the game's scores and scene started as the game starts them, in
// an offscreen context of the game's window size, then one state's picture drawn back to
// back with DrawFrame and glFinish after each, so the figure is the CPU and rasteriser time
// of a frame with no advancing, presenting or pacing.
// Prints the median over several runs for a few board states; no pass or fail.
#include <GL/gl.h>
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "game/frame_view.h"
#include "game/rules.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "render/offscreen_scene.h"
#include "render/render.h"
#include "scores/scores.h"

namespace {

constexpr int kRuns = 7;
constexpr int kFramesPerRun = 120;

double MillisecondsPerFrame()
{
    FrameView view = ViewOfGame();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFramesPerRun; ++i) {
        DrawFrame(view);
        glFinish();
    }
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / kFramesPerRun;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Measure(const char* what)
{
    MillisecondsPerFrame();  // warm-up: caches, texture residency
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.push_back(MillisecondsPerFrame());
    auto [low, high] = std::minmax_element(runs.begin(), runs.end());
    std::printf("DrawFrame, %-38s median %6.2f ms  (runs %.2f .. %.2f ms, %d frames each)\n",
                what, Median(runs), *low, *high, kFramesPerRun);
}

// Every block lying face up: the faces instead of the backs, all of them textured.
void TurnAllFaceUp()
{
    for (Block& block : game.blocks) {
        block.angle = 180.0f;
        block.direction = 1.0f;
        block.animating = true;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // The game reads data/ from the working directory: the source tree's, read only.
    const char* folder = argc > 1 ? argv[1] : FLIPORA_SOURCE_DIR;
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "draw_frame: cannot enter %s\n", folder);
        return 1;
    }
    LoadScores(ScoreFileAt(std::string("data/") + kScoreFileName));
    StartFirstGame();
    if (!StartOffscreenScene("draw_frame", kWindowWidth, kWindowHeight))
        return 1;
    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    Measure("board face down:");
    TurnAllFaceUp();
    Measure("board face up:");
    game.blendBlocks = 1;
    Measure("board face up, translucent:");
    game.gameOver = 1;
    game.finalRank = 5;
    Measure("game over banner and name strip:");

    FreeFonts();
    SDL_Quit();
    return 0;
}
