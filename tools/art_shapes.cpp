// Small drawing helpers shared by every image of the tool.
#include "art.h"

#include <cmath>

Rgb Hex(unsigned rgb)
{
    return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighter(Rgb c, double t)
{
    return Mix(c, {1, 1, 1}, t);
}

Rgb Darker(Rgb c, double t)
{
    return Mix(c, {0, 0, 0}, t);
}

void SetColour(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void AddStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

cairo_pattern_t* Linear(double x0, double y0, double x1, double y1, Rgb a, Rgb b)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    AddStop(p, 0, a);
    AddStop(p, 1, b);
    return p;
}

cairo_pattern_t* Radial(double cx, double cy, double r0, double r1, Rgb inner, Rgb outer)
{
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    AddStop(p, 0, inner);
    AddStop(p, 1, outer);
    return p;
}

void FillWith(cairo_t* cr, cairo_pattern_t* pattern, bool keepPath)
{
    cairo_set_source(cr, pattern);
    if (keepPath)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

void FillColour(cairo_t* cr, Rgb c, double alpha, bool keepPath)
{
    SetColour(cr, c, alpha);
    if (keepPath)
        cairo_fill_preserve(cr);
    else
        cairo_fill(cr);
}

void StrokeColour(cairo_t* cr, Rgb c, double width, double alpha, bool keepPath)
{
    SetColour(cr, c, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (keepPath)
        cairo_stroke_preserve(cr);
    else
        cairo_stroke(cr);
}

void AddRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void AddCircle(cairo_t* cr, double cx, double cy, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

void AddEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle)
{
    cairo_matrix_t saved;
    cairo_get_matrix(cr, &saved);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    AddCircle(cr, 0, 0, 1);
    cairo_set_matrix(cr, &saved);
}

void AddStar(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
             double rotation)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < 2 * points; ++i) {
        double r = i % 2 == 0 ? outer : inner;
        double a = rotation - M_PI / 2 + i * M_PI / points;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void FillOutlined(cairo_t* cr, cairo_pattern_t* fill, Rgb outline, double width)
{
    StrokeColour(cr, outline, 2 * width, 1.0, true);
    FillWith(cr, fill);
}

namespace {

void SelectFont(cairo_t* cr, double size, bool italic)
{
    cairo_select_font_face(cr, "DejaVu Sans",
                           italic ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    // No hinting: the same outlines on every run and smooth scaling in the mipmaps.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace

double MeasureTextWidth(cairo_t* cr, const char* text, double size)
{
    SelectFont(cr, size, false);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text, &ext);
    return ext.width;
}

void DrawCentredText(cairo_t* cr, const char* text, double cx, double cy, const TextStyle& style)
{
    SelectFont(cr, style.size, false);
    cairo_text_extents_t ext, cap;
    cairo_text_extents(cr, text, &ext);
    cairo_text_extents(cr, "H", &cap);
    double x = cx - (ext.x_bearing + ext.width / 2);
    double y = cy + cap.height / 2;

    if (style.shadow > 0) {
        cairo_new_path(cr);
        cairo_move_to(cr, x + style.shadow, y + style.shadow);
        cairo_text_path(cr, text);
        StrokeColour(cr, {0, 0, 0}, style.outlineWidth * 2, 0.25, true);
        FillColour(cr, {0, 0, 0}, 0.35);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text);
    if (style.outlineWidth > 0)
        StrokeColour(cr, style.outline, style.outlineWidth * 2, 1.0, true);
    FillColour(cr, style.fill);
}
