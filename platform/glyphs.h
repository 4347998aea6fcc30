// Bitmap glyphs for GL text: the face the game asks for ("Verdana", bold, 12-pixel em, or
// the system's nearest), one display list a character. Each system makes them its own
// way (posix/: fontconfig and FreeType; win32/: GDI).
#pragma once

inline constexpr int kFirstGlyphCode = 32;
inline constexpr int kGlyphCount = 96;   // codes 32..127
inline constexpr int kBaseEmPixels = 12; // the em the window's first size was drawn with

// Compiles list firstList + (c - 32) for each code c in 32..127: one glBitmap drawing the
// glyph with its origin at the raster position and advancing the position by the
// glyph's advance, at an em of emPixels. Needs a current GL context. Compiling over
// existing lists replaces them. False when no font could be opened; the lists then hold
// nothing.
bool BuildGlyphLists(unsigned int firstList, bool italic, int emPixels = kBaseEmPixels);
