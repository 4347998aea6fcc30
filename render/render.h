// Everything drawn with OpenGL: textures, display lists, bitmap text, frames, picking.
// Needs a current GL context.
#pragma once

#include <cstdint>

#include "game/game_state.h"

bool LoadTextures();          // the 25 images; false (nothing left allocated) if one fails
void BuildDisplayLists();     // the 29 lists; sets listBase and listCursor
void BuildTextFonts();        // 96 upright and 96 italic glyph lists
void FreeFonts();             // harmless without a current context

// printf-style text at the current raster position. Longer than 255 characters is cut.
void PrintText(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintItalic(const char* format, ...) __attribute__((format(printf, 1, 2)));

void DrawFrame();
void DrawBoardAndButtons();
void DrawScoreBoard();
void PrintFrameRate();        // fpsText at the window's top-left, black; leaves the colour white

// Selection name under the client-pixel point (y down from the top), 0 for nothing.
int32_t PickAt(int x, int y);

// Viewport and the game's perspective (30 degrees, near 0.1, far 100) for a client area;
// a height of 0 counts as 1. Call it at start-up once the context is current and on
// every size change.
void ResizeView(int width, int height);

// The fixed GL state every frame relies on: texturing, depth test with GL_LEQUAL, clear
// colour, colour material, the (unused) light, the additive blend function. Once, after
// the first deal and before the fonts.
void InitGLState();

// Everything the first frame needs once the scores are in: directions, textures, display
// lists, the first deal, the fixed GL state and the fonts. False when an image is missing;
// then nothing after the textures is made.
bool BuildScene();

// The image files in texture order; textures[i] shows textureFiles[i].
extern const char* const textureFiles[kTextureCount];

// The help text shown in place of the score list, 31 characters a line.
inline constexpr int kHelpLineCount = 12;
extern const char* const helpLines[kHelpLineCount];
