// The application icon: a game block, its blue bevelled back showing as the rim, with the
// sun picture face up on it. Drawn per size rather than scaled down, so the 48-pixel icon
// keeps crisp edges; the sun is the boldest of the eight pictures at that size. Menus and
// task bars ask for 16 to 32 pixels, where the picture's rays and face blur into a smudge:
// there the same block and sun are drawn plainer, on whole pixels.
#include "art.h"

#include <cmath>

namespace {

// Fractions of the icon's side.
const double kMargin = 0.04;     // transparent border, room for the shadow
const double kCorner = 0.16;     // corner radius of the block
const double kRim = 0.11;        // how much of the blue back shows around the picture
const double kCrop = 22;         // design units of the picture's card frame left out

void ClipRounded(cairo_t* cr, double x, double y, double side, double radius)
{
    cairo_new_path(cr);
    AddRoundedRect(cr, x, y, side, side, radius);
    cairo_clip(cr);
}

void PaintShadow(cairo_t* cr, double x, double y, double side)
{
    const double offset = side * 0.025;
    cairo_new_path(cr);
    AddRoundedRect(cr, x + offset, y + 2 * offset, side, side, side * kCorner);
    FillColour(cr, {0, 0, 0}, 0.35);
}

// A painter of the data folder's 256-unit images drawn into a square at (x, y), clipped
// round, with crop units of its border cut off so the middle shows larger.
void PaintInto(cairo_t* cr, PaintFunction paint, double x, double y, double side, double radius,
               double crop)
{
    cairo_save(cr);
    ClipRounded(cr, x, y, side, radius);
    double scale = side / (256 - 2 * crop);
    cairo_translate(cr, x - crop * scale, y - crop * scale);
    cairo_scale(cr, scale, scale);
    paint(cr, 256, 256);
    cairo_restore(cr);
}

// The small icons: no shadow, the block's edges and the face on whole pixels, and a sun of
// a bold disc and eight thick rays in the picture's colours.
const int kSmallestDetailed = 48;  // pixels; from here up the picture itself is legible

void PaintSmallSun(cairo_t* cr, double cx, double cy, double reach, double line)
{
    const double disc = reach * 0.52;
    cairo_new_path(cr);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4 - M_PI / 2;
        double spread = 0.42;
        cairo_move_to(cr, cx + disc * std::cos(a - spread), cy + disc * std::sin(a - spread));
        cairo_line_to(cr, cx + reach * std::cos(a), cy + reach * std::sin(a));
        cairo_line_to(cr, cx + disc * std::cos(a + spread), cy + disc * std::sin(a + spread));
        cairo_close_path(cr);
    }
    FillColour(cr, Hex(0xf57c00));
    cairo_new_path(cr);
    AddCircle(cr, cx, cy, disc);
    cairo_pattern_t* fill = Radial(cx - disc * 0.3, cy - disc * 0.3, 0, disc * 1.2,
                                   Hex(0xfff59d), Hex(0xffc400));
    FillWith(cr, fill, true);
    StrokeColour(cr, Hex(0xc76e00), line);
}

void PaintSmallIcon(cairo_t* cr, int size)
{
    const double pixel = size / 16.0;  // one pixel of the 16-pixel icon
    const double margin = std::round(pixel * 0.5);
    const double block = size - 2 * margin;
    PaintInto(cr, PaintBlockBack, margin, margin, block, std::round(block * kCorner), 0);

    const double rim = std::round(2 * pixel);
    const double face = block - 2 * rim;
    cairo_new_path(cr);
    AddRoundedRect(cr, margin + rim, margin + rim, face, face, pixel);
    FillColour(cr, Hex(0xfff8e1));
    PaintSmallSun(cr, size / 2.0, size / 2.0, face / 2, pixel);
}

}  // namespace

void PaintIcon(cairo_t* cr, int size)
{
    if (size < kSmallestDetailed) {
        PaintSmallIcon(cr, size);
        return;
    }
    double block = size * (1 - 2 * kMargin);
    double x = size * kMargin;
    double y = size * kMargin * 0.6;
    PaintShadow(cr, x, y, block);
    PaintInto(cr, PaintBlockBack, x, y, block, block * kCorner, 0);

    double rim = block * kRim;
    double face = block - 2 * rim;
    PaintInto(cr, PaintSun, x + rim, y + rim, face, face * kCorner * 0.8, kCrop);
    // A thin dark line keeps the face apart from the rim at the smallest size.
    cairo_new_path(cr);
    AddRoundedRect(cr, x + rim, y + rim, face, face, face * kCorner * 0.8);
    StrokeColour(cr, Hex(0x06223d), size / 48.0, 0.7);
}
