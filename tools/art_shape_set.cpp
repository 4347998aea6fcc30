// The shapes set: eighteen plain shapes, each in a colour of its own, bold enough for a small
// child to name. The silhouettes differ (no two are one shape turned or stretched), so the
// pairs are found by shape alone where the colours run together.
#include "art.h"

#include <cmath>
#include <iterator>

#include "game/assets.h"

namespace {

// A closed shape's outline in the 256 x 256 design space, centred on the card.
using TraceFunction = void (*)(cairo_t* cr);

void TracePolygon(cairo_t* cr, const double (*points)[2], int count)
{
    cairo_new_path(cr);
    cairo_move_to(cr, points[0][0], points[0][1]);
    for (int i = 1; i < count; ++i)
        cairo_line_to(cr, points[i][0], points[i][1]);
    cairo_close_path(cr);
}

// A regular polygon with a corner at the top.
void TraceRegular(cairo_t* cr, double cx, double cy, double r, int corners)
{
    cairo_new_path(cr);
    for (int i = 0; i < corners; ++i) {
        double a = -M_PI / 2 + i * 2 * M_PI / corners;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void TraceCircle(cairo_t* cr)
{
    cairo_new_path(cr);
    AddCircle(cr, 128, 128, 84);
}

void TraceSquare(cairo_t* cr)
{
    cairo_new_path(cr);
    AddRoundedRect(cr, 54, 54, 148, 148, 10);
}

void TraceTriangle(cairo_t* cr)
{
    TraceRegular(cr, 128, 146, 104, 3);
}

void TraceStar(cairo_t* cr)
{
    cairo_new_path(cr);
    AddStar(cr, 128, 134, 98, 42, 5, 0);
}

void TraceHeartShape(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 214);
    cairo_curve_to(cr, 92, 184, 38, 150, 38, 100);
    cairo_curve_to(cr, 38, 66, 62, 44, 90, 44);
    cairo_curve_to(cr, 108, 44, 122, 56, 128, 72);
    cairo_curve_to(cr, 134, 56, 148, 44, 166, 44);
    cairo_curve_to(cr, 194, 44, 218, 66, 218, 100);
    cairo_curve_to(cr, 218, 150, 164, 184, 128, 214);
    cairo_close_path(cr);
}

void TraceDiamond(cairo_t* cr)
{
    const double points[4][2] = {{128, 28}, {196, 128}, {128, 228}, {60, 128}};
    TracePolygon(cr, points, 4);
}

void TraceHexagon(cairo_t* cr)
{
    TraceRegular(cr, 128, 128, 92, 6);
}

// Where two circles cross: the first and second point, seen from the first circle's centre.
void CrossingAngles(double ax, double ay, double ar, double bx, double by, double br,
                    double* a0, double* a1)
{
    double dx = bx - ax, dy = by - ay, d = std::hypot(dx, dy);
    double along = (ar * ar - br * br + d * d) / (2 * d);
    double spread = std::acos(along / ar);
    double toward = std::atan2(dy, dx);
    *a0 = toward + spread;
    *a1 = toward - spread + 2 * M_PI;
}

void TraceCrescent(cairo_t* cr)
{
    // The lit disc's rim outside the shadow, then the shadow's rim inside the disc.
    const double ax = 130, ay = 132, ar = 90, bx = 174, by = 102, br = 76;
    double a0, a1, b0, b1;
    CrossingAngles(ax, ay, ar, bx, by, br, &a0, &a1);
    CrossingAngles(bx, by, br, ax, ay, ar, &b0, &b1);
    cairo_new_path(cr);
    cairo_arc(cr, ax, ay, ar, a0, a1);
    cairo_arc_negative(cr, bx, by, br, b0, b1 - 2 * M_PI);
    cairo_close_path(cr);
}

void TraceCross(cairo_t* cr)
{
    const double a = 30, b = 92;  // half the arm's width, half the cross's span
    const double points[12][2] = {
        {128 - a, 128 - b}, {128 + a, 128 - b}, {128 + a, 128 - a}, {128 + b, 128 - a},
        {128 + b, 128 + a}, {128 + a, 128 + a}, {128 + a, 128 + b}, {128 - a, 128 + b},
        {128 - a, 128 + a}, {128 - b, 128 + a}, {128 - b, 128 - a}, {128 - a, 128 - a}};
    TracePolygon(cr, points, 12);
}

void TraceArrow(cairo_t* cr)
{
    const double points[7][2] = {{34, 102}, {132, 102}, {132, 50}, {226, 128},
                                 {132, 206}, {132, 154}, {34, 154}};
    TracePolygon(cr, points, 7);
}

void TraceRing(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_arc(cr, 128, 128, 88, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 128, 128, 46, 2 * M_PI, 0);
    cairo_close_path(cr);
}

void TraceSemicircle(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_arc(cr, 128, 176, 106, M_PI, 2 * M_PI);
    cairo_close_path(cr);
}

void TraceBolt(cairo_t* cr)
{
    const double points[7][2] = {{150, 22}, {64, 142}, {120, 142}, {100, 234},
                                 {196, 104}, {138, 104}, {170, 22}};
    TracePolygon(cr, points, 7);
}

void TraceDrop(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 22);
    cairo_curve_to(cr, 150, 70, 200, 112, 200, 160);
    cairo_curve_to(cr, 200, 202, 168, 232, 128, 232);
    cairo_curve_to(cr, 88, 232, 56, 202, 56, 160);
    cairo_curve_to(cr, 56, 112, 106, 70, 128, 22);
    cairo_close_path(cr);
}

void TraceCloud(cairo_t* cr)
{
    cairo_new_path(cr);
    AddCircle(cr, 86, 146, 44);
    AddCircle(cr, 136, 112, 56);
    AddCircle(cr, 184, 148, 40);
    AddRoundedRect(cr, 42, 140, 182, 50, 25);
}

void TraceClover(cairo_t* cr)
{
    cairo_new_path(cr);
    AddCircle(cr, 128, 72, 42);
    AddCircle(cr, 80, 124, 42);
    AddCircle(cr, 176, 124, 42);
    AddCircle(cr, 128, 124, 30);
    // The stem, a curved band wound the way the circles are, so the fill joins them.
    cairo_move_to(cr, 136, 146);
    cairo_curve_to(cr, 140, 182, 132, 212, 114, 238);
    cairo_line_to(cr, 98, 232);
    cairo_curve_to(cr, 116, 208, 124, 180, 122, 146);
    cairo_close_path(cr);
}

void TraceHourglass(cairo_t* cr)
{
    const double points[6][2] = {{50, 36}, {206, 36}, {140, 128},
                                 {206, 220}, {50, 220}, {116, 128}};
    TracePolygon(cr, points, 6);
}

void TraceTrapezoid(cairo_t* cr)
{
    const double points[4][2] = {{90, 62}, {166, 62}, {226, 196}, {30, 196}};
    TracePolygon(cr, points, 4);
}

struct Shape {
    TraceFunction trace;
    unsigned colour;
};

// In kShapePictures' order.
const Shape shapes[] = {
    {TraceCircle, 0xe53935},   {TraceSquare, 0x1e88e5},    {TraceTriangle, 0x43a047},
    {TraceStar, 0xfdd835},     {TraceHeartShape, 0xec407a}, {TraceDiamond, 0x8e24aa},
    {TraceHexagon, 0xfb8c00},  {TraceCrescent, 0x3949ab},  {TraceCross, 0x00897b},
    {TraceArrow, 0x039be5},    {TraceRing, 0xd81b60},      {TraceSemicircle, 0x689f38},
    {TraceBolt, 0xffb300},     {TraceDrop, 0x29b6f6},      {TraceCloud, 0xb0bec5},
    {TraceClover, 0x2e7d32},   {TraceHourglass, 0x8d6e63}, {TraceTrapezoid, 0x5e35b1},
};
static_assert(std::size(shapes) == std::size(kShapePictures), "one shape per picture");

}  // namespace

void PaintShapePicture(cairo_t* cr, int w, int h, int picture)
{
    const Shape& shape = shapes[picture];
    Rgb colour = Hex(shape.colour);
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, colour);

    cairo_save(cr);
    cairo_translate(cr, 4, 5);
    shape.trace(cr);
    FillColour(cr, {0, 0, 0}, 0.18);
    cairo_restore(cr);

    shape.trace(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_pattern_t* fill = Radial(96, 84, 8, 190, Lighter(colour, 0.45), Darker(colour, 0.2));
    AddStop(fill, 0.45, colour);
    FillOutlined(cr, fill, Darker(colour, 0.6), kPictureOutline * 1.3);

    // A gloss over the upper part.
    cairo_save(cr);
    shape.trace(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, 256, 120);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 20, 0, 120);
    AddStop(gloss, 0, {1, 1, 1}, 0.4);
    AddStop(gloss, 1, {1, 1, 1}, 0.0);
    FillWith(cr, gloss);
    cairo_restore(cr);
}
