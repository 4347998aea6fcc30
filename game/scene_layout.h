// Where every piece of the scene sits, once: the drawing, the display lists, picking, the
// keyboard highlight, the art tool's panel backdrops and the tests all read these numbers.
// Eye coordinates: the viewer at the origin looks down -z; scene units. No GL, no game
// state, so the art tool includes it as it is (with the window size of game/identity.h).
#pragma once

#include <cmath>

#include "game/identity.h"

// The view. The scene is composed for a client area of kSceneDesignWidth x
// kSceneDesignHeight seen with a vertical field of view of kFieldOfView degrees. A wider
// area keeps that field of view and shows more background at the sides; a narrower one
// (4:3, 5:4, portrait) widens it until the scene's full width shows, the background
// filling the extra height, so the panel is never cut off.
inline constexpr double kSceneDesignWidth = kWindowWidth;  // the window the game opens with
inline constexpr double kSceneDesignHeight = kWindowHeight;
inline constexpr double kFieldOfView = 30.0;
inline constexpr double kNearPlane = 0.1;
inline constexpr double kFarPlane = 100.0;

// The vertical field of view, in degrees, for a client area of width x height pixels; a
// side of 0 (a minimised window) counts as 1. Exactly kFieldOfView from the design's
// aspect on, so those frames never change.
inline double FieldOfViewFor(int width, int height)
{
    double w = width > 0 ? width : 1;
    double h = height > 0 ? height : 1;
    if (w * kSceneDesignHeight >= kSceneDesignWidth * h)
        return kFieldOfView;
    // Keep the design's horizontal extent: tan(fov / 2) grows as the aspect shrinks.
    constexpr double kDegrees = 180.0 / 3.14159265358979323846;
    double halfTangent = std::tan(kFieldOfView / 2 / kDegrees) *
                         (kSceneDesignWidth / kSceneDesignHeight) / (w / h);
    return 2 * std::atan(halfTangent) * kDegrees;
}

// A flat textured quad of the scene, or a block (its picture side and the box around it).
struct ScenePiece {
    int list;            // display list, as an offset from listBase; -1 drawn without one
    int texture;         // index into renderResources.textures (and kImageFiles, game/assets.h)
    double x, y, z;      // where the piece is placed: its centre
    double halfWidth, halfHeight;
    double faceZ;        // the quad's z inside its list, so it shows at depth -(z + faceZ)
};

// The 4 x 4 board: column centres left to right, row centres top to bottom, all at one z.
// Blocks are 2 * kBlockHalf square and 2 * kBlockHalfDepth thick; the picture is on the
// back (z - kBlockHalfDepth), the side a resting block shows is the front.
inline constexpr double kBlockColumnX[4] = {-14.0, -7.6, -1.2, 5.2};
inline constexpr double kBlockRowY[4] = {9.6, 3.2, -3.2, -9.6};
inline constexpr double kBlockZ = -50.0;
inline constexpr double kBlockHalf = 3.0;
inline constexpr double kBlockHalfDepth = 0.5;

// The pieces other than blocks, in list order where they have one.
enum class Piece {
    New, Mode, Sound, Help, About, Exit,         // the menu buttons, lists 17..22
    ScoreBoard, SpeakerOn, SpeakerOff, TimeTrialLabel, NormalLabel, ClockLabel,  // 23..28
    MenuPanel, NameStrip, GameOverBanner, PausedBanner,   // drawn without lists
    Count
};

inline constexpr ScenePiece kScenePieces[static_cast<int>(Piece::Count)] = {
    {17, 10, 15.0, 11.5, -48.0, 3.0, 1.0, 0.0},     // New
    {18, 11, 15.0, 9.5, -48.0, 3.0, 1.0, 0.0},      // Mode
    {19, 12, 15.0, 7.5, -48.0, 3.0, 1.0, 0.0},      // Sound
    {20, 13, 15.0, 5.5, -48.0, 3.0, 1.0, 0.0},      // Help
    {21, 14, 13.0, -11.8, -48.0, 1.5, 0.5, 0.0},    // About
    {22, 15, 17.0, -11.8, -48.0, 1.5, 0.5, 0.0},    // Exit
    {23, 16, 15.3, -5.0, -49.0, 4.0, 6.0, 0.0},     // ScoreBoard
    {24, 17, 13.5, 2.6, -49.0, 1.0, 1.0, 0.5},      // SpeakerOn
    {25, 18, 13.5, 2.6, -49.0, 1.0, 1.0, 0.5},      // SpeakerOff
    {26, 19, 16.3, 3.1, -49.0, 1.5, 0.5, 0.5},      // TimeTrialLabel
    {27, 20, 16.3, 3.1, -49.0, 1.5, 0.5, 0.5},      // NormalLabel
    {28, 21, 16.3, 2.1, -49.0, 1.5, 0.5, 0.5},      // ClockLabel
    {-1, 9, 16.0, 0.3, -49.4, 5.0, 15.3, 0.0},      // MenuPanel, behind the panel pieces
    {-1, 24, 12.5, -1.05, -40.0, 3.0, 0.25, 0.0},   // NameStrip, where the name is typed
    {-1, 22, -4.5, 0.0, -49.45, 7.5, 1.5, 0.0},     // GameOverBanner, over the board
    {-1, 23, -4.1, 0.0, -49.45, 7.5, 1.5, 0.0},     // PausedBanner
};

constexpr const ScenePiece& PieceOf(Piece piece)
{
    return kScenePieces[static_cast<int>(piece)];
}
