// Bitmap glyphs for GL text: the face the game asks for ("Verdana", bold, 12-pixel em),
// resolved through fontconfig and rendered 1-bit by FreeType.
#pragma once

#include <string>

inline constexpr int kFirstGlyphCode = 32;
inline constexpr int kGlyphCount = 96;   // codes 32..127
inline constexpr int kBaseEmPixels = 12; // the em the window's first size was drawn with

// The font file a glyph set is made from: "Verdana" bold when the system has it, else
// DejaVu Sans Bold, else whatever fontconfig offers for "Verdana". When no italic style
// of the face is found, the upright one is slanted by shearing its outlines.
struct FontChoice {
    std::string file;       // empty when fontconfig found nothing at all
    int faceIndex = 0;
    bool synthesizeOblique = false;
};
FontChoice ChooseFont(bool italic);

// Compiles list firstList + (c - 32) for each code c in 32..127: one glBitmap drawing the
// glyph with its origin at the raster position and advancing the position by the
// glyph's advance, at an em of emPixels. Needs a current GL context. Compiling over
// existing lists replaces them. False when no font could be opened; the lists then hold
// nothing.
bool BuildGlyphLists(unsigned int firstList, bool italic, int emPixels = kBaseEmPixels);
// The same from a given font file, e.g. to slant an upright face by hand.
bool BuildGlyphListsFrom(const FontChoice& font, unsigned int firstList,
                         int emPixels = kBaseEmPixels);
