// Everything drawn with OpenGL: textures, display lists, bitmap text, frames, picking.
// Needs a current GL context.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/assets.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "platform/glyphs.h"  // kBaseEmPixels

// The display lists, each named by its offset from listBase.
inline constexpr int kDisplayListCount = 29;
inline constexpr int kListBlockBody = 0;       // the box of a block without its picture side
inline constexpr int kListFirstFace = 1;       // 1..16: face n shows picture 1 + (n - 1) mod 8
inline constexpr int kListDealtFace = 2;       // pair r (0..7) is dealt face list 2 + r
inline constexpr int kListFirstButton = 17;    // New, Mode, Sound, Help, About, Exit: 17..22
inline constexpr int kListScoreBoard = 23;
inline constexpr int kListSpeakerOn = 24;      // + SoundIcon(): 25 is the speaker off
inline constexpr int kListTimeTrialLabel = 26; // + ModeIcon(): 27 is the normal label
inline constexpr int kListClockLabel = 28;

// The render's own GL objects: made once with the context and kept for the whole process,
// so a fresh game (`game = GameState{}`) never touches them.
struct RenderResources {
    unsigned int textures[kTextureCount] = {};  // texture i shows kImageFiles[i]
    unsigned int listBase = 0;    // first of the 29 display lists; the kList offsets name them
    unsigned int textFont = 0;    // first of the upright glyph lists: textFont + i draws textCodes[i]
    unsigned int italicFont = 0;  // first of the italic glyph lists, the same for italicCodes
    // Code points of the glyph lists: ASCII 32..127, and for the upright font the letters
    // the language in use needs beyond it, sorted.
    std::u32string textCodes;
    std::u32string italicCodes;
    std::vector<float> textAdvances;  // each upright glyph's advance in pixels, for measuring
    int textPixels = kBaseEmPixels;  // the em both glyph sets hold now
};
extern RenderResources renderResources;

// The 25 images, those with words in the language in use; false (nothing left allocated)
// if one fails.
bool LoadTextures();
// The images with words again, for the language now in use, into the same textures.
void ReloadWordedTextures();
void BuildDisplayLists();     // the 29 lists; sets listBase
// The upright glyph lists (ASCII and the letters the language in use needs) and 96 italic
// ones (the typed name is ASCII), at TextPixels().
void BuildTextFonts();
void RebuildTextFonts();      // for another language: the lists made anew
void FreeFonts();             // harmless without a current context

// Text grows with the scene: the glyphs' em follows the drawable's height where the scene
// fills it (as wide or wider than the design), else its width, so text keeps its place and
// size against the panel. 12 pixels at the 1016 x 676 the game opens with (the very bitmaps
// of that size), rounded, 1 at the least.
int TextPixelsForSize(int drawableWidth, int drawableHeight);
int TextPixels();             // the em the glyph lists were built at
// Rebuilds both glyph sets at a new em (once the fonts exist); nothing when it is the same.
void SetTextPixels(int pixels);

// printf-style text in UTF-8 at the current raster position. Longer than 255 bytes is cut;
// a character without a glyph draws nothing.
void PrintText(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintItalic(const char* format, ...) __attribute__((format(printf, 1, 2)));
// How far the upright font advances over a text, in pixels.
float TextWidth(const char* text);
// Text centred on the text plane's x (the raster position's units), its baseline at y.
void PrintCentred(float x, float y, const char* text);

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
// The largest viewport the current context draws, width and height (GL_MAX_VIEWPORT_DIMS);
// 0 where it does not say.
void MaxViewportSize(int size[2]);
// The scene's perspective for a viewport of width x height (FieldOfViewFor in
// scene_layout.h, near and far planes from there), multiplied onto the current matrix: the
// one projection the view and picking share, so a click lands where the eye sees.
void MultiplySceneProjection(int width, int height);

// The fixed GL state every frame relies on: texturing, depth test with GL_LEQUAL, clear
// colour, colour material, the (unused) light, the additive blend function. Once, before
// the fonts.
void InitGLState();

// Everything the first frame needs drawn: textures, display lists, the fixed GL state and
// the fonts. False when an image is missing; then nothing after the textures is made.
bool BuildScene();


// The help text shown in place of the score list: as written, twelve lines of 31
// characters; translated, up to kMaxHelpLines lines (the rows down to the board's foot).
extern const char* const kHelpText;
inline constexpr size_t kMaxHelpLines = 13;
// Its lines in the language in use, at most kMaxHelpLines.
std::vector<std::string> HelpLines();
