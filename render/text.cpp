#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "game/game_state.h"
#include "game/scene_layout.h"
#include "platform/glyphs.h"
#include "platform/gl_context.h"
#include "render/render.h"

namespace {

constexpr int kTextBufferSize = 256;   // 255 characters and the terminator
constexpr int kMaxTextPixels = 256;    // far beyond any screen's height in lines of text

int textPixels = kBaseEmPixels;        // the em the glyph lists hold now

unsigned int BuildFont(bool italic)
{
    unsigned int first = glGenLists(kGlyphCount);
    BuildGlyphLists(first, italic, textPixels);
    return first;
}

// Formats into the fixed buffer (longer texts are cut) and keeps only codes that have a
// glyph list: a byte outside 32..127, say from a damaged score file, must never reach
// glCallLists, where it would run some other display list.
int FormatPrintable(char out[kTextBufferSize], const char* format, va_list arguments)
{
    char formatted[kTextBufferSize];
    int length = std::vsnprintf(formatted, sizeof formatted, format, arguments);
    if (length <= 0)
        return 0;
    if (length >= kTextBufferSize)
        length = kTextBufferSize - 1;
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        unsigned char code = static_cast<unsigned char>(formatted[i]);
        if (code >= kFirstGlyphCode && code < kFirstGlyphCode + kGlyphCount)
            out[kept++] = formatted[i];
    }
    return kept;
}

void CallGlyphs(unsigned int font, const char* text, int length)
{
    if (length == 0 || font == 0)
        return;  // without fonts, list names near 0 would be the scene's own lists
    glPushAttrib(GL_LIST_BIT);
    {
        glListBase(font - kFirstGlyphCode);
        glCallLists(length, GL_UNSIGNED_BYTE, text);
    }
    glPopAttrib();
}

// One print: format, filter, then one glCallLists for the whole text.
void PrintWith(unsigned int font, const char* format, va_list arguments)
{
    if (!format)
        return;
    char text[kTextBufferSize];
    int length = FormatPrintable(text, format, arguments);
    CallGlyphs(font, text, length);
}

}  // namespace

void BuildTextFonts()
{
    renderResources.textFont = BuildFont(false);
    renderResources.italicFont = BuildFont(true);
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
    return textPixels;
}

void SetTextPixels(int pixels)
{
    pixels = std::clamp(pixels, 1, kMaxTextPixels);
    if (pixels == textPixels)
        return;
    textPixels = pixels;
    // The same list names are compiled over, so nothing that holds them has to change.
    if (renderResources.textFont != 0)
        BuildGlyphLists(renderResources.textFont, false, textPixels);
    if (renderResources.italicFont != 0)
        BuildGlyphLists(renderResources.italicFont, true, textPixels);
}

void FreeFonts()
{
    // At shutdown the context may already be gone; the lists went with it then.
    if (GlContextIsCurrent()) {
        if (renderResources.textFont != 0)
            glDeleteLists(renderResources.textFont, kGlyphCount);
        if (renderResources.italicFont != 0)
            glDeleteLists(renderResources.italicFont, kGlyphCount);
    }
    renderResources.textFont = 0;
    renderResources.italicFont = 0;
}

void PrintText(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    PrintWith(renderResources.textFont, format, arguments);
    va_end(arguments);
}

void PrintItalic(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    PrintWith(renderResources.italicFont, format, arguments);
    va_end(arguments);
}
