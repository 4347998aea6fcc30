#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "game/game_state.h"
#include "game/scene_layout.h"
#include "lang/catalogue.h"
#include "lang/translate.h"
#include "platform/glyphs.h"
#include "platform/gl_context.h"
#include "render/render.h"

namespace {

constexpr int kTextBufferSize = 256;   // 255 bytes and the terminator
constexpr int kMaxTextPixels = 256;    // far beyond any screen's height in lines of text

unsigned int BuildFont(bool italic, const std::u32string& codes, std::vector<float>* advances)
{
    unsigned int first = glGenLists(static_cast<GLsizei>(codes.size()));
    BuildGlyphLists(first, italic, renderResources.textPixels, codes, advances);
    return first;
}

// The glyph index of a code point in a set: ASCII by its code, the language's own letters
// after it by a search of the sorted rest; -1 for a code point the set lacks.
int GlyphIndex(const std::u32string& codes, char32_t code)
{
    if (code >= kFirstGlyphCode && code < kFirstGlyphCode + kGlyphCount)
        return static_cast<int>(code) - kFirstGlyphCode;
    auto rest = codes.begin() + std::min<size_t>(kGlyphCount, codes.size());
    auto found = std::lower_bound(rest, codes.end(), code);
    if (found == codes.end() || *found != code)
        return -1;
    return static_cast<int>(found - codes.begin());
}

// Formats into the fixed buffer (longer texts are cut) and turns the UTF-8 into glyph
// indices, keeping only characters the set has a list for: a byte outside it, say from a
// damaged score file, must never reach glCallLists, where it would run some other list.
int FormatGlyphs(GLuint out[kTextBufferSize], const std::u32string& codes, const char* format,
                 va_list arguments)
{
    char formatted[kTextBufferSize];
    int length = std::vsnprintf(formatted, sizeof formatted, format, arguments);
    if (length <= 0)
        return 0;
    if (length >= kTextBufferSize)
        length = kTextBufferSize - 1;
    int kept = 0;
    const char* at = formatted;
    const char* end = formatted + length;
    while (at < end) {
        int index = GlyphIndex(codes, NextCodePoint(&at, end));
        if (index >= 0)
            out[kept++] = static_cast<GLuint>(index);
    }
    return kept;
}

void CallGlyphs(unsigned int font, const GLuint* glyphs, int count)
{
    if (count == 0 || font == 0)
        return;  // without fonts, list names near 0 would be the scene's own lists
    glPushAttrib(GL_LIST_BIT);
    {
        glListBase(font);
        glCallLists(count, GL_UNSIGNED_INT, glyphs);
    }
    glPopAttrib();
}

// One print: format, keep what has glyphs, then one glCallLists for the whole text.
void PrintWith(unsigned int font, const std::u32string& codes, const char* format, va_list arguments)
{
    if (!format)
        return;
    GLuint glyphs[kTextBufferSize];
    int count = FormatGlyphs(glyphs, codes, format, arguments);
    CallGlyphs(font, glyphs, count);
}

void DeleteFonts()
{
    RenderResources& r = renderResources;
    if (r.textFont != 0)
        glDeleteLists(r.textFont, static_cast<GLsizei>(r.textCodes.size()));
    if (r.italicFont != 0)
        glDeleteLists(r.italicFont, static_cast<GLsizei>(r.italicCodes.size()));
}

}  // namespace

void BuildTextFonts()
{
    RenderResources& r = renderResources;
    // The upright font carries the language's letters after ASCII; the italic one draws only
    // the typed name, which is ASCII.
    r.textCodes = AsciiGlyphCodes() + LanguageCharacters();
    r.italicCodes = AsciiGlyphCodes();
    r.textFont = BuildFont(false, r.textCodes, &r.textAdvances);
    r.italicFont = BuildFont(true, r.italicCodes, nullptr);
}

void RebuildTextFonts()
{
    if (GlContextIsCurrent())
        DeleteFonts();
    BuildTextFonts();
}

int TextPixelsForSize(int drawableWidth, int drawableHeight)
{
    // The height the scene would have at the design's aspect: the drawable's own unless
    // the drawable is narrower.
    double sceneHeight = std::min<double>(drawableHeight,
                                          drawableWidth * kSceneDesignHeight / kSceneDesignWidth);
    long pixels = std::lround(kBaseEmPixels * sceneHeight / kSceneDesignHeight);
    return static_cast<int>(std::clamp(pixels, 1L, static_cast<long>(kMaxTextPixels)));
}

int TextPixels()
{
    return renderResources.textPixels;
}

void SetTextPixels(int pixels)
{
    pixels = std::clamp(pixels, 1, kMaxTextPixels);
    if (pixels == renderResources.textPixels)
        return;
    renderResources.textPixels = pixels;
    // The same list names are compiled over, so nothing that holds them has to change.
    RenderResources& r = renderResources;
    if (r.textFont != 0)
        BuildGlyphLists(r.textFont, false, r.textPixels, r.textCodes, &r.textAdvances);
    if (r.italicFont != 0)
        BuildGlyphLists(r.italicFont, true, r.textPixels, r.italicCodes);
}

void FreeFonts()
{
    // At shutdown the context may already be gone; the lists went with it then.
    if (GlContextIsCurrent())
        DeleteFonts();
    renderResources.textFont = 0;
    renderResources.italicFont = 0;
}

void PrintText(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    PrintWith(renderResources.textFont, renderResources.textCodes, format, arguments);
    va_end(arguments);
}

void PrintItalic(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    PrintWith(renderResources.italicFont, renderResources.italicCodes, format, arguments);
    va_end(arguments);
}

float TextWidth(const char* text)
{
    const RenderResources& r = renderResources;
    float width = 0;
    const char* at = text;
    const char* end = text + std::strlen(text);
    while (at < end) {
        int index = GlyphIndex(r.textCodes, NextCodePoint(&at, end));
        if (index >= 0 && static_cast<size_t>(index) < r.textAdvances.size())
            width += r.textAdvances[static_cast<size_t>(index)];
    }
    return width;
}

void PrintCentred(float x, float y, const char* text)
{
    glRasterPos2f(x, y);
    // A bitmap of no pixels moves the raster position: half the text's width to the left.
    glBitmap(0, 0, 0, 0, -std::floor(TextWidth(text) / 2), 0, nullptr);
    PrintText("%s", text);
}
