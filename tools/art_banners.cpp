// The Game Over and Paused banners. The game adds them to the board tinted orange, so black
// stays invisible and only the bright text and its glow show.
#include "art.h"

#include <cmath>

#include "lang/translate.h"

namespace {

const Rgb white = {1, 1, 1};

void TraceText(cairo_t* cr, const char* text, double size, double cx, double cy)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t ext, cap;
    cairo_text_extents(cr, text, &ext);
    cairo_text_extents(cr, "H", &cap);
    cairo_new_path(cr);
    cairo_move_to(cr, cx - (ext.x_bearing + ext.width / 2), cy + cap.height / 2);
    cairo_text_path(cr, text);
}

// Wide faint strokes under the letters make a halo that the orange tint turns into a glow.
void PaintGlow(cairo_t* cr)
{
    const double widths[4] = {30, 20, 12, 6};
    const double alphas[4] = {0.05, 0.07, 0.10, 0.16};
    for (int i = 0; i < 4; ++i)
        StrokeColour(cr, white, widths[i], alphas[i], true);
}

// Fading rules on both sides of the word, ending in a small diamond near the text.
void PaintSideRules(cairo_t* cr, double w, double cy, double textHalfWidth)
{
    double gap = 18;
    double inner = w / 2 - textHalfWidth - gap;
    if (inner < 40)
        return;
    for (int side = -1; side <= 1; side += 2) {
        double near = w / 2 + side * (textHalfWidth + gap);
        double far = side < 0 ? 12 : w - 12;
        cairo_new_path(cr);
        cairo_move_to(cr, far, cy);
        cairo_line_to(cr, near - side * 10, cy);
        cairo_pattern_t* p = cairo_pattern_create_linear(far, 0, near, 0);
        AddStop(p, 0, white, 0);
        AddStop(p, 1, white, 0.85);
        cairo_set_source(cr, p);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
        cairo_new_path(cr);
        AddStar(cr, near - side * 4, cy, 7, 3, 4, 0);
        FillColour(cr, white, 0.9);
    }
}

void PaintBanner(cairo_t* cr, int w, int h, const char* text)
{
    cairo_rectangle(cr, 0, 0, w, h);
    FillColour(cr, {0, 0, 0});

    double size = h * 0.68;
    double room = w - 80.0;
    double width = MeasureTextWidth(cr, text, size);
    if (width > room) {
        size *= room / width;
        width = room;
    }
    double cy = h / 2.0;
    PaintSideRules(cr, w, cy, width / 2);
    TraceText(cr, text, size, w / 2.0, cy);
    PaintGlow(cr);
    cairo_pattern_t* fill = Linear(0, cy - size / 2, 0, cy + size / 2, white, Hex(0xb8b8b8));
    AddStop(fill, 0.45, Hex(0xf4f4f4));
    FillWith(cr, fill, true);
    StrokeColour(cr, Hex(0x404040), 1.5);
}

}  // namespace

void PaintGameOverBanner(cairo_t* cr, int w, int h)
{
    // TRANSLATORS: the banners drawn across the board, large: at the end of a game, and
    // while the game is paused.
    PaintBanner(cr, w, h, TranslateIn("banner", "Game Over"));
}

void PaintPausedBanner(cairo_t* cr, int w, int h)
{
    PaintBanner(cr, w, h, TranslateIn("banner", "Paused"));
}
