// Bitmap glyphs from GDI: "Verdana" bold at the em asked for, turned into display lists by
// wglUseFontBitmapsA for ASCII and wglUseFontBitmapsW for each code point beyond it. The
// font mapper falls back to a face the system has (Wine: DejaVu Sans).
#include "platform/glyphs.h"

#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Some drivers of wglUseFontBitmaps fail on the first call after a context is made current
// and work on the next one.
bool UseFontBitmaps(HDC dc, unsigned int firstList)
{
    for (int attempt = 0; attempt < 2; ++attempt)
        if (wglUseFontBitmapsA(dc, kFirstGlyphCode, kGlyphCount, firstList))
            return true;
    return false;
}

// The glyphs after ASCII, one list each; a code point the font lacks gets its box glyph.
bool UseWideFontBitmaps(HDC dc, unsigned int firstList, const std::u32string& codes)
{
    bool built = true;
    for (size_t i = kGlyphCount; i < codes.size(); ++i) {
        if (codes[i] > 0xFFFF) {  // beyond UTF-16's single units: no language here needs one
            glNewList(firstList + static_cast<unsigned int>(i), GL_COMPILE);
            glEndList();
            continue;
        }
        built = wglUseFontBitmapsW(dc, static_cast<DWORD>(codes[i]), 1,
                                   firstList + static_cast<DWORD>(i)) && built;
    }
    return built;
}

// Each glyph's advance, as wglUseFontBitmaps moves the raster position by it.
void MeasureAdvances(HDC dc, const std::u32string& codes, std::vector<float>* advances)
{
    advances->assign(codes.size(), 0.0f);
    for (size_t i = 0; i < codes.size(); ++i) {
        INT width = 0;
        UINT code = codes[i] <= 0xFFFF ? static_cast<UINT>(codes[i]) : 0;
        if (code && GetCharWidth32W(dc, code, code, &width))
            (*advances)[i] = static_cast<float>(width);
    }
}

// A space comes out of wglUseFontBitmaps as a glBitmap without a bitmap, and Mesa compiles
// that into a list that does not move the raster position: text would run together. Its
// list is made again with one blank pixel and the space's own advance.
void RebuildSpace(HDC dc, unsigned int firstList)
{
    ABC widths{};
    INT advance = 0;
    if (GetCharABCWidthsA(dc, ' ', ' ', &widths))
        advance = widths.abcA + static_cast<INT>(widths.abcB) + widths.abcC;
    else if (!GetCharWidth32A(dc, ' ', ' ', &advance))
        return;
    static const GLubyte kBlank[4] = {};
    glNewList(firstList, GL_COMPILE);
    glBitmap(1, 1, 0, 0, static_cast<GLfloat>(advance), 0, kBlank);
    glEndList();
}

void WarnOnce(const char* text)
{
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    std::fprintf(stderr, "flipora: warning: %s; text will not show\n", text);
}

}  // namespace

bool BuildGlyphLists(unsigned int firstList, bool italic, int emPixels, const std::u32string& codes,
                     std::vector<float>* advances)
{
    if (advances)
        advances->assign(codes.size(), 0.0f);
    HDC dc = wglGetCurrentDC();
    if (!dc || emPixels <= 0)
        return false;
    // A negative height asks for the em itself, as FreeType's pixel size does on Linux.
    HFONT font = CreateFontA(-emPixels, 0, 0, 0, FW_BOLD, italic ? TRUE : FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, "Verdana");
    if (!font) {
        WarnOnce("no font could be made (asked for \"Verdana\" bold)");
        return false;
    }
    HGDIOBJ previous = SelectObject(dc, font);
    bool built = UseFontBitmaps(dc, firstList);
    if (built) {
        RebuildSpace(dc, firstList);
        if (!UseWideFontBitmaps(dc, firstList, codes))
            WarnOnce("wglUseFontBitmapsW made no glyphs for some letters");
        if (advances)
            MeasureAdvances(dc, codes, advances);
    } else {
        WarnOnce("wglUseFontBitmapsA made no glyphs");
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    return built;
}
