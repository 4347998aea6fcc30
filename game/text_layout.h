// Where each text of the frame is printed, once: raster positions on the text plane, in
// scene units. The drawing (render/frame.cpp) and the tests read these numbers. No GL, no
// game state. Floats, as the raster positions are given.
#pragma once

#include <cstdint>

#include "game/scene_layout.h"

// Texts are black bitmap glyphs on a plane this far in front of the viewer.
inline constexpr float kTextZ = -10.0f;

struct TextPlace {
    float x, y;
};

// Rows of the help text and of the score list go down by one line each.
inline constexpr float kTextLineStep = 0.15f;

inline constexpr TextPlace kHelpFirstLine = {2.35f, -0.2f};
// A translated line of the panel is centred on the score board's middle as it appears on
// the text plane.
inline constexpr float kPanelTextMiddleX =
    static_cast<float>(PieceOf(Piece::ScoreBoard).x * kTextZ / PieceOf(Piece::ScoreBoard).z);
inline constexpr TextPlace kScoreTitle = {2.65f, -0.7f};      // "Best Scores Ever :"
inline constexpr TextPlace kScoreFirstRow = {2.45f, -1.0f};   // "1. name"
inline constexpr TextPlace kPauseHint = {2.55f, -2.1f};       // "Press Space For Break"
// Scores start in one column; above 1000 they have a digit more and start further left.
inline constexpr float kScoreColumnX = 3.6f;
inline constexpr float kWideScoreColumnX = 3.53f;
inline constexpr int32_t kWideScoreAbove = 1000;

// On the Timer label: the clock in a time trial, "pairs/moves" in normal mode.
inline constexpr TextPlace kClockText = {3.2f, 0.4f};
inline constexpr float kCounterSlashX = 3.33f;
inline constexpr float kPairsX = 3.23f;           // one digit
inline constexpr float kTwoDigitPairsX = 3.15f;   // ten and more
inline constexpr float kMovesX = 3.43f;

// The end of the game: "1st  Place" above, the typed name (or "Your Score") and the score
// below it.
inline constexpr TextPlace kRankLine = {2.85f, 0.0f};
inline constexpr TextPlace kNameLine = {2.45f, -0.3f};

// The frame-rate text at the window's top-left corner.
inline constexpr TextPlace kFrameRateText = {-4.0f, 2.55f};

// Where the score column starts for a score.
constexpr float ScoreColumnX(int32_t score)
{
    return score > kWideScoreAbove ? kWideScoreColumnX : kScoreColumnX;
}
