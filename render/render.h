// Everything drawn with OpenGL: textures, display lists, bitmap text, frames, picking.
// Needs a current GL context.
#pragma once

#include <cstdint>

#include "game/assets.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/identity.h"

// The render's own GL objects: made once with the context and kept for the whole process,
// so a fresh game (`game = GameState{}`) never touches them.
struct RenderResources {
    unsigned int textures[kTextureCount] = {};  // texture i shows kImageFiles[i]
    unsigned int listBase = 0;    // first of the 29 display lists; the kList offsets name them
    unsigned int textFont = 0;    // first of 96 upright glyph lists
    unsigned int italicFont = 0;  // first of 96 italic glyph lists
};
extern RenderResources renderResources;

bool LoadTextures();          // the 25 images; false (nothing left allocated) if one fails
void BuildDisplayLists();     // the 29 lists; sets listBase
void BuildTextFonts();        // 96 upright and 96 italic glyph lists, at TextPixels()
void FreeFonts();             // harmless without a current context

// Text grows with the scene: the glyphs' em follows the drawable's height where the scene
// fills it (as wide or wider than the design), else its width, so text keeps its place and
// size against the panel. 12 pixels at the 1016 x 676 the game opens with (the very bitmaps
// of that size), rounded, 1 at the least.
int TextPixelsForSize(int drawableWidth, int drawableHeight);
int TextPixels();             // the em the glyph lists were built at
// Rebuilds both glyph sets at a new em (once the fonts exist); nothing when it is the same.
void SetTextPixels(int pixels);

// printf-style text at the current raster position. Longer than 255 characters is cut.
void PrintText(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintItalic(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Draws the picture a view describes into the back buffer. Reads the view and the GL
// resources only and writes nothing of the game, so a view can be drawn again at will.
void DrawFrame(const FrameView& view);
// Everything that can be clicked, each under its selection name; picking draws through it.
void DrawBoardAndButtons(const FrameView& view);

// The six menu buttons, New, Mode, Sound, Help, About and Exit, in selection-name order:
// centre in eye coordinates before a press pushes the button in, and half sizes.
struct ButtonPlace {
    float x, y, z;
    float halfWidth, halfHeight;
};
inline constexpr int kMenuButtonCount = 6;
extern const ButtonPlace buttonPlaces[kMenuButtonCount];

// The keyboard highlight: a ring around the block or button of selection name (nothing
// for 0), over whatever is drawn there, a button's ring pushed in with it by its depth.
// Leaves texturing and the depth test on and the colour white, as the frame has them.
void DrawHighlight(int32_t name, const float buttonDepths[kButtonCount]);

// Selection name under the client-pixel point (y down from the top), 0 for nothing.
int32_t PickAt(int x, int y);

// Viewport and the scene's projection for a client area; a height of 0 counts as 1. Call
// it at start-up once the context is current and on every size change.
void ResizeView(int width, int height);
// The scene's perspective for a viewport of width x height (FieldOfViewFor in
// scene_layout.h, near and far planes from there), multiplied onto the current matrix: the
// one projection the view and picking share, so a click lands where the eye sees.
void MultiplySceneProjection(int width, int height);

// The fixed GL state every frame relies on: texturing, depth test with GL_LEQUAL, clear
// colour, colour material, the (unused) light, the additive blend function. Once, after
// the first deal and before the fonts.
void InitGLState();

// Everything the first frame needs once the scores are in: directions, textures, display
// lists, the first deal, the fixed GL state and the fonts. False when an image is missing;
// then nothing after the textures is made.
bool BuildScene();


// The help text shown in place of the score list, 31 characters a line.
inline constexpr int kHelpLineCount = 12;
extern const char* const helpLines[kHelpLineCount];
