#include "platform/posix/glyphs_fontconfig.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// About 12 degrees of slant (tan = 0.2126 in 16.16), close to a typical italic.
constexpr FT_Fixed kObliqueShear = 0x0366A;

FcPattern* MatchFamily(const char* family, bool italic)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return nullptr;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    // The text is bold: the heaviest style that every family reliably has.
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

// fontconfig always answers with something; only a match of the family itself counts.
bool HasFamily(FcPattern* match, const char* family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (strcasecmp(reinterpret_cast<const char*>(name), family) == 0)
            return true;
    }
    return false;
}

FontChoice ChoiceFrom(FcPattern* match, bool italic)
{
    FontChoice choice;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch)
        return choice;
    choice.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &choice.faceIndex);
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    choice.synthesizeOblique = italic && slant < FC_SLANT_ITALIC;
    return choice;
}

// Rows come from FreeType top-down; glBitmap wants the bottom row first.
std::vector<GLubyte> FlipRows(const FT_Bitmap& bitmap)
{
    size_t rowBytes = (bitmap.width + 7) / 8;
    std::vector<GLubyte> rows(rowBytes * bitmap.rows);
    for (unsigned int row = 0; row < bitmap.rows; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<size_t>(row) * bitmap.pitch;
        std::copy(source, source + rowBytes, rows.begin() + rowBytes * (bitmap.rows - 1 - row));
    }
    return rows;
}

// One glyph as one glBitmap; a glyph that cannot be rendered still advances if it can.
// Returns the advance in pixels.
GLfloat EmitGlyph(FT_Face face, char32_t code, bool oblique)
{
    FT_Int32 loadFlags = FT_LOAD_TARGET_MONO | (oblique ? FT_LOAD_NO_BITMAP : 0);
    if (FT_Load_Char(face, code, loadFlags) != 0) {
        glBitmap(0, 0, 0, 0, 0, 0, nullptr);
        return 0;
    }
    FT_GlyphSlot slot = face->glyph;
    if (oblique && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Matrix shear = {0x10000, kObliqueShear, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    GLfloat advance = static_cast<GLfloat>(slot->advance.x) / 64.0f;
    bool rendered = FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (!rendered || bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch <= 0 || bitmap.rows == 0) {
        glBitmap(0, 0, 0, 0, advance, 0, nullptr);
        return advance;
    }
    std::vector<GLubyte> rows = FlipRows(bitmap);
    GLfloat originX = static_cast<GLfloat>(-slot->bitmap_left);
    GLfloat originY = static_cast<GLfloat>(static_cast<int>(bitmap.rows) - slot->bitmap_top);
    glBitmap(bitmap.width, bitmap.rows, originX, originY, advance, 0, rows.data());
    return advance;
}

void CompileGlyphs(FT_Face face, unsigned int firstList, bool oblique, const std::u32string& codes,
                   std::vector<float>* advances)
{
    // Bitmaps are unpacked when the list is compiled: byte rows, leftmost pixel in the
    // high bit, as FreeType writes them.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        for (size_t i = 0; i < codes.size(); ++i) {
            glNewList(firstList + static_cast<unsigned int>(i), GL_COMPILE);
            GLfloat advance = EmitGlyph(face, codes[i], oblique);
            glEndList();
            if (advances)
                (*advances)[i] = advance;
        }
    }
    glPopClientAttrib();
}

// One glyph set from one font file; false when FreeType cannot open or size it.
bool BuildFrom(const FontChoice& choice, unsigned int firstList, int emPixels,
               const std::u32string& codes, std::vector<float>* advances)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    bool built = FT_New_Face(library, choice.file.c_str(), choice.faceIndex, &face) == 0 &&
                 emPixels > 0 && FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(emPixels)) == 0;
    if (built)
        CompileGlyphs(face, firstList, choice.synthesizeOblique, codes, advances);
    if (face)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
    return built;
}

}  // namespace

FontChoice ChooseFont(bool italic)
{
    FcPattern* wanted = MatchFamily("Verdana", italic);
    if (wanted && HasFamily(wanted, "Verdana")) {
        FontChoice choice = ChoiceFrom(wanted, italic);
        FcPatternDestroy(wanted);
        return choice;
    }
    FcPattern* fallback = MatchFamily("DejaVu Sans", italic);
    FontChoice choice;
    if (fallback && HasFamily(fallback, "DejaVu Sans"))
        choice = ChoiceFrom(fallback, italic);
    else if (wanted)
        choice = ChoiceFrom(wanted, italic);
    if (fallback)
        FcPatternDestroy(fallback);
    if (wanted)
        FcPatternDestroy(wanted);
    return choice;
}

bool BuildGlyphLists(unsigned int firstList, bool italic, int emPixels, const std::u32string& codes,
                     std::vector<float>* advances)
{
    return BuildGlyphListsFrom(ChooseFont(italic), firstList, emPixels, codes, advances);
}


// Without glyphs every text of the game is invisible; the log at least says why. The text
// is built again whenever the window's size changes it, so a warning is not repeated.
static void WarnOnce(const std::string& text)
{
    static std::string lastWarning;
    if (text == lastWarning)
        return;
    lastWarning = text;
    std::fprintf(stderr, "flipora: warning: %s; text will not show\n", text.c_str());
}

bool BuildGlyphListsFrom(const FontChoice& choice, unsigned int firstList, int emPixels,
                         const std::u32string& codes, std::vector<float>* advances)
{
    if (advances)
        advances->assign(codes.size(), 0.0f);
    if (choice.file.empty()) {
        WarnOnce("fontconfig found no font (tried \"Verdana\" bold, then \"DejaVu Sans\" bold)");
        return false;
    }
    bool built = BuildFrom(choice, firstList, emPixels, codes, advances);
    if (!built)
        WarnOnce("no glyphs could be made from the font " + choice.file + " (face " +
                 std::to_string(choice.faceIndex) + ", " + std::to_string(emPixels) + " px)");
    return built;
}
