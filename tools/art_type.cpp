// The type set: one capital letter or digit a picture, in Andika, a face drawn for children
// learning to read. Each picture's character is its file's name ("TypeA.bmp" shows A), and
// the set leaves out the characters children mix up with one it keeps (O and 0, I and 1,
// E and F, M and W, S and 5...), so a pair is told apart by its shape alone; the colours
// only help.
#include "art.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "game/assets.h"

namespace {

const char* const typeFamily = "Andika";
const char* const typePackage = "fonts-sil-andika";

// One colour a picture, in the set's order, going round the colour wheel in steps that keep
// neighbours apart.
const unsigned typeColours[] = {
    0xe53935, 0x1e88e5, 0x43a047, 0xfb8c00, 0x8e24aa, 0x00897b, 0xd81b60, 0x3949ab, 0x7cb342,
    0xf4511e, 0x039be5, 0x6d4c41, 0x827717, 0x5e35b1, 0x00acc1, 0xec407a, 0x2e7d32, 0xffb300,
};
static_assert(std::size(typeColours) == std::size(kTypePictures), "one colour per picture");

// "TypeA.bmp" shows "A".
std::string CharacterOf(const char* file)
{
    std::string name = file;
    const std::string prefix = "Type", suffix = ".bmp";
    return name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
}

void SelectTypeFace(cairo_t* cr, double size)
{
    cairo_select_font_face(cr, typeFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// The character's outline, its ink box centred on the card; every character has the same
// size, so a wide M and a narrow 7 still look like one set.
void TraceCharacter(cairo_t* cr, const std::string& character)
{
    SelectTypeFace(cr, 200);
    cairo_text_extents_t ink;
    cairo_text_extents(cr, character.c_str(), &ink);
    cairo_text_extents_t capital;
    cairo_text_extents(cr, "H", &capital);
    double x = 128 - (ink.x_bearing + ink.width / 2);
    double y = 132 + capital.height / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, character.c_str());
}

}  // namespace

bool TypeFaceInstalled()
{
    // Fontconfig quietly puts another face in place of a missing one, which would redraw
    // every picture of the set: so the tool asks first, and says which package it needs.
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Andika:bold"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* family = nullptr;
    int weight = 0;
    bool found = match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                 std::strcmp(reinterpret_cast<const char*>(family), typeFamily) == 0 &&
                 FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
                 weight >= FC_WEIGHT_BOLD;
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    if (!found)
        std::fprintf(stderr, "flipora_art: the font %s Bold is not installed (package %s)\n",
                     typeFamily, typePackage);
    return found;
}

void PaintTypePicture(cairo_t* cr, int w, int h, int picture)
{
    Rgb colour = Hex(typeColours[picture]);
    Rgb outline = Darker(colour, 0.6);
    std::string character = CharacterOf(kTypePictures[picture]);
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, colour);

    cairo_save(cr);
    cairo_translate(cr, 4, 5);
    TraceCharacter(cr, character);
    StrokeColour(cr, {0, 0, 0}, 12, 0.18, true);
    FillColour(cr, {0, 0, 0}, 0.18);
    cairo_restore(cr);

    TraceCharacter(cr, character);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    StrokeColour(cr, outline, 12, 1.0, true);
    cairo_pattern_t* fill = Linear(0, 50, 0, 210, Lighter(colour, 0.35), Darker(colour, 0.12));
    AddStop(fill, 0.5, colour);
    FillWith(cr, fill);

    // A gloss over the upper half of the character.
    cairo_save(cr);
    TraceCharacter(cr, character);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 40, 256, 84);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 40, 0, 124);
    AddStop(gloss, 0, {1, 1, 1}, 0.45);
    AddStop(gloss, 1, {1, 1, 1}, 0.0);
    FillWith(cr, gloss);
    cairo_restore(cr);
}
