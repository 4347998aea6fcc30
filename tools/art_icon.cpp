// The application icon: a game block, its blue bevelled back showing as the rim, with the
// sun picture face up on it. Drawn per size rather than scaled down, so the 48-pixel icon
// keeps crisp edges; the sun is the boldest of the eight pictures at that size.
#include "art.h"

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

}  // namespace

void PaintIcon(cairo_t* cr, int size)
{
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
