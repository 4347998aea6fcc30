// Bitmap glyphs for GL text: the face the game asks for ("Verdana", bold, 12-pixel em, or
// the system's nearest), one display list a character. Each system makes them its own
// way (posix/: fontconfig and FreeType; win32/: GDI).
#pragma once

#include <string>
#include <vector>

inline constexpr int kFirstGlyphCode = 32;
inline constexpr int kGlyphCount = 96;   // codes 32..127, which every glyph set starts with
inline constexpr int kBaseEmPixels = 12; // the em the window's first size was drawn with

// Codes 32..127, the glyphs of English and the start of every set.
inline std::u32string AsciiGlyphCodes()
{
    std::u32string codes;
    for (int code = kFirstGlyphCode; code < kFirstGlyphCode + kGlyphCount; ++code)
        codes += static_cast<char32_t>(code);
    return codes;
}

// Compiles list firstList + i for each Unicode code point codes[i]: one glBitmap drawing
// the glyph with its origin at the raster position and advancing the position by the
// glyph's advance, at an em of emPixels; *advances (when given) gets each advance in
// pixels, for measuring a text before it is drawn. Needs a current GL context. Compiling
// over existing lists replaces them. False when no font could be opened; the lists then
// hold nothing.
bool BuildGlyphLists(unsigned int firstList, bool italic, int emPixels,
                     const std::u32string& codes, std::vector<float>* advances = nullptr);
