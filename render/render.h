// Everything drawn with OpenGL: textures, display lists, bitmap text, frames, picking.
// Needs a current GL context.
#pragma once

#include <cstdint>

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
