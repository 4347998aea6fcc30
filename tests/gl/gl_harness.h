// A real GL context without a display (SDL's offscreen driver on Mesa), started the way
// the game starts, plus helpers to project scene points and read frames back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/identity.h"
#include "tests/support/test_files.h"


// Window, context and the game's start-up, once per process.
void StartGameOnce();

// Back to the initial game state with the GL resources kept and a fresh deal.
void ResetPlayKeepingResources();

// Every GL test starts from a freshly dealt game in a ready context.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override;
};

// Where a scene point lands in the window, as the mouse reports it (y down from the top).
struct WindowPoint {
    double x = 0;
    double y = 0;
};
WindowPoint ProjectToWindow(double x, double y, double z);
// The same for a point in a block's own frame (turned by its angle about y).
WindowPoint ProjectOnBlock(int block, float angle, double x, double y, double z);

// The back buffer of the frame just drawn, top row first.
struct Frame {
    std::vector<uint8_t> pixels;  // RGB, kWindowWidth * kWindowHeight
    Rgb At(int x, int yFromTop) const;
    // Mean colour of the rectangle [x0, x1) x [y0, y1) in window pixels, y from the top.
    Rgb Mean(int x0, int y0, int x1, int y1) const;
};
Frame ReadFrame();
Frame DrawAndRead();   // one paced pass drawn as the game draws it, then the back buffer

// Comparing frames.
struct Rect {
    int x0, y0, x1, y1;  // window pixels, y from the top, [x0, x1) x [y0, y1)
};
bool Inside(const Rect& inner, const Rect& outer);
bool IsDark(const Rgb& pixel);  // the texts' black, give or take
// Pixels that differ between two frames, and the box around them.
struct Difference {
    int count = 0;
    int darkInFirst = 0;
    Rect box{kWindowWidth, kWindowHeight, -1, -1};
};
Difference Compare(const Frame& a, const Frame& b);
