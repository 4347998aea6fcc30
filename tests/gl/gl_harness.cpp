#include "tests/gl/gl_harness.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "game/game_state.h"
#include "game/rules.h"
#include "render/render.h"
#include "tests/support/fake_platform.h"

namespace fs = std::filesystem;

namespace {

bool started = false;

void OpenContext()
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_Window* window = SDL_CreateWindow("gl_tests", 0, 0, kWindowWidth, kWindowHeight, SDL_WINDOW_OPENGL);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    ASSERT_NE(context, nullptr) << SDL_GetError();
}

// The game's own start-up order: directions, textures, lists, deal, state, fonts, view.
void StartScene()
{
    for (Block& block : game.blocks)
        block.direction = 1.0f;
    for (MenuButton& button : game.buttons)
        button.direction = 1.0f;
    ASSERT_EQ(chdir(SourceDir().c_str()), 0);
    ASSERT_TRUE(LoadTextures());
    BuildDisplayLists();
    game.gameCounter = 1;
    ShuffleBoard();
    InitGLState();
    BuildTextFonts();
    ResizeView(kWindowWidth, kWindowHeight);
}

}  // namespace

void StartGameOnce()
{
    if (started)
        return;
    OpenContext();
    StartScene();
    started = true;
}

void ResetPlayKeepingResources()
{
    GameState fresh;
    std::copy(std::begin(game.textures), std::end(game.textures), fresh.textures);
    fresh.listBase = game.listBase;
    fresh.listCursor = game.listCursor;
    fresh.textFont = game.textFont;
    fresh.italicFont = game.italicFont;
    fresh.gameCounter = 1;
    game = fresh;
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
    std::vector<uint8_t> bottomUp(static_cast<size_t>(kWindowWidth) * kWindowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    Frame frame;
    frame.pixels.resize(bottomUp.size());
    size_t rowBytes = static_cast<size_t>(kWindowWidth) * 3;
    for (int row = 0; row < kWindowHeight; ++row)
        std::copy_n(bottomUp.begin() + rowBytes * (kWindowHeight - 1 - row), rowBytes,
                    frame.pixels.begin() + rowBytes * row);
    return frame;
}

Frame DrawAndRead()
{
    DrawFrame();
    glFinish();
    return ReadFrame();
}

std::string SourceDir()
{
    return FLIPORA_SOURCE_DIR;
}

std::string MakeDataCopy(const std::vector<std::string>& leaveOut)
{
    std::string root = (fs::temp_directory_path() / ("flipora_gl_" + std::to_string(getpid()) + "_" +
                                                      std::to_string(std::rand())))
                           .string();
    fs::create_directories(root + "/data");
    for (const auto& entry : fs::directory_iterator(SourceDir() + "/data")) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".bmp")
            continue;
        if (std::find(leaveOut.begin(), leaveOut.end(), name) != leaveOut.end())
            continue;
        fs::copy_file(entry.path(), root + "/data/" + name);
    }
    return root;
}

void RemoveTree(const std::string& path)
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

namespace {

void PutLittle(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<Rgb>& topDownPixels, bool topDownFile)
{
    size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bytes(54 + rowBytes * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittle(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLittle(bytes, 10, 54, 4);
    PutLittle(bytes, 14, 40, 4);
    PutLittle(bytes, 18, static_cast<uint32_t>(width), 4);
    PutLittle(bytes, 22, static_cast<uint32_t>(topDownFile ? -height : height), 4);
    PutLittle(bytes, 26, 1, 2);
    PutLittle(bytes, 28, 24, 2);
    PutLittle(bytes, 34, static_cast<uint32_t>(rowBytes * height), 4);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        int imageRow = topDownFile ? fileRow : height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            const Rgb& pixel = topDownPixels[static_cast<size_t>(imageRow) * width + x];
            size_t at = 54 + rowBytes * fileRow + static_cast<size_t>(x) * 3;
            bytes[at] = static_cast<uint8_t>(pixel.b);  // BMP stores blue, green, red
            bytes[at + 1] = static_cast<uint8_t>(pixel.g);
            bytes[at + 2] = static_cast<uint8_t>(pixel.r);
        }
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
