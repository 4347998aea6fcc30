// The glyphs of platform/glyphs.h on fontconfig and FreeType: which font file fontconfig
// resolves, and the lists built from a given file.
#pragma once

#include <string>
#include <vector>

#include "platform/glyphs.h"

// The font file a glyph set is made from: "Verdana" bold when the system has it, else
// DejaVu Sans Bold, else whatever fontconfig offers for "Verdana". When no italic style
// of the face is found, the upright one is slanted by shearing its outlines.
struct FontChoice {
    std::string file;       // empty when fontconfig found nothing at all
    int faceIndex = 0;
    bool synthesizeOblique = false;
};
FontChoice ChooseFont(bool italic);

// BuildGlyphLists from a given font file, e.g. to slant an upright face by hand.
bool BuildGlyphListsFrom(const FontChoice& font, unsigned int firstList, int emPixels,
                         const std::u32string& codes, std::vector<float>* advances = nullptr);
