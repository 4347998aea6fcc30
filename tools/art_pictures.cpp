// The block back, the card every picture sits on and the standard game's eight pictures.
// Every image is drawn in a 256 x 256 design space; the block shows it at about 151 pixels,
// so shapes are bold and outlined and each picture has its own colour and silhouette.
#include "art.h"

#include <algorithm>
#include <cmath>

namespace {

const Rgb white = {1, 1, 1};
const double outlineWidth = kPictureOutline;

void PaintSunRays(cairo_t* cr)
{
    cairo_new_path(cr);
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        double len = i % 2 == 0 ? 104 : 90;
        double spread = 0.20;
        cairo_move_to(cr, 128 + 58 * std::cos(a - spread), 128 + 58 * std::sin(a - spread));
        cairo_line_to(cr, 128 + len * std::cos(a), 128 + len * std::sin(a));
        cairo_line_to(cr, 128 + 58 * std::cos(a + spread), 128 + 58 * std::sin(a + spread));
        cairo_close_path(cr);
    }
    cairo_pattern_t* fill = Radial(128, 128, 55, 104, Hex(0xffe14d), Hex(0xffa000));
    FillOutlined(cr, fill, Hex(0xc76e00), outlineWidth);
}

void PaintSunFace(cairo_t* cr)
{
    Rgb ink = Hex(0x7a4100);
    cairo_new_path(cr);
    AddEllipse(cr, 110, 118, 6, 9, 0);
    AddEllipse(cr, 146, 118, 6, 9, 0);
    FillColour(cr, ink);
    cairo_new_path(cr);
    cairo_arc(cr, 128, 132, 22, 0.2 * M_PI, 0.8 * M_PI);
    StrokeColour(cr, ink, 5);
    cairo_new_path(cr);
    AddCircle(cr, 98, 140, 9);
    AddCircle(cr, 158, 140, 9);
    FillColour(cr, Hex(0xff7043), 0.45);
}

void TraceFishBody(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 206, 130);
    cairo_curve_to(cr, 186, 78, 110, 72, 72, 124);
    cairo_line_to(cr, 36, 88);
    cairo_curve_to(cr, 46, 112, 46, 148, 36, 172);
    cairo_line_to(cr, 72, 136);
    cairo_curve_to(cr, 110, 188, 186, 182, 206, 130);
    cairo_close_path(cr);
}

void PaintFishFins(cairo_t* cr, Rgb fin, Rgb outline)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 112, 90);
    cairo_curve_to(cr, 120, 58, 150, 52, 166, 64);
    cairo_curve_to(cr, 156, 72, 152, 82, 154, 90);
    cairo_close_path(cr);
    cairo_move_to(cr, 120, 170);
    cairo_curve_to(cr, 126, 190, 142, 198, 158, 192);
    cairo_curve_to(cr, 150, 184, 148, 176, 150, 168);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(0, 56, 0, 196, Lighter(fin, 0.3), fin), outline, outlineWidth);
}

void PaintFishDetails(cairo_t* cr, Rgb outline)
{
    cairo_save(cr);
    TraceFishBody(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int i = 0; i < 3; ++i) {
        double x = 100 + i * 24;
        cairo_move_to(cr, x, 70);
        cairo_curve_to(cr, x + 14, 110, x + 14, 150, x, 190);
    }
    StrokeColour(cr, Hex(0xfff176), 9, 0.9);
    cairo_restore(cr);

    cairo_new_path(cr);
    AddCircle(cr, 178, 118, 12);
    cairo_pattern_t* eye = Radial(176, 116, 2, 12, white, Hex(0xe3f2fd));
    FillOutlined(cr, eye, outline, 2.5);
    cairo_new_path(cr);
    AddCircle(cr, 181, 118, 6);
    FillColour(cr, Hex(0x102030));
    cairo_new_path(cr);
    AddCircle(cr, 183, 115, 2);
    FillColour(cr, white);
    cairo_new_path(cr);
    cairo_arc(cr, 196, 138, 9, 0.55 * M_PI, 0.95 * M_PI);
    StrokeColour(cr, outline, 3);
}

void PaintBubbles(cairo_t* cr)
{
    const double spots[3][3] = {{214, 86, 9}, {226, 58, 6}, {208, 36, 5}};
    for (const auto& b : spots) {
        cairo_new_path(cr);
        AddCircle(cr, b[0], b[1], b[2]);
        FillColour(cr, Hex(0xb3e5fc), 0.6, true);
        StrokeColour(cr, Hex(0x0288d1), 2.5);
    }
}

void PaintTreeTrunk(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 114, 132);
    cairo_line_to(cr, 142, 132);
    cairo_curve_to(cr, 140, 170, 144, 196, 158, 214);
    cairo_line_to(cr, 98, 214);
    cairo_curve_to(cr, 112, 196, 116, 170, 114, 132);
    cairo_close_path(cr);
    cairo_pattern_t* bark = Linear(100, 0, 158, 0, Hex(0x8d5a34), Hex(0x5d3a1f));
    FillOutlined(cr, bark, Hex(0x3e2512), outlineWidth);
}

void PaintTreeCrown(cairo_t* cr)
{
    const double puffs[6][3] = {{128, 70, 42}, {86, 96, 36},   {170, 96, 36},
                                {98, 134, 34}, {158, 134, 34}, {128, 118, 44}};
    cairo_new_path(cr);
    for (const auto& p : puffs)
        AddCircle(cr, p[0], p[1], p[2]);
    cairo_pattern_t* leaves = Radial(112, 80, 10, 110, Hex(0x9be15d), Hex(0x2e8b30));
    FillOutlined(cr, leaves, Hex(0x1b5e20), outlineWidth);
    PaintShine(cr, 108, 62, 24, 14, -0.4, 0.45);
}

void PaintApples(cairo_t* cr)
{
    const double spots[4][2] = {{96, 104}, {150, 80}, {166, 130}, {122, 140}};
    for (const auto& a : spots) {
        cairo_new_path(cr);
        AddCircle(cr, a[0], a[1], 8);
        FillOutlined(cr, Radial(a[0] - 2, a[1] - 3, 1, 9, Hex(0xff8a80), Hex(0xd32f2f)),
                     Hex(0x8e1b1b), 1.5);
    }
}

void TraceHeart(cairo_t* cr, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, 128, 134);
    cairo_scale(cr, scale, scale);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 78);
    cairo_curve_to(cr, -40, 46, -92, 18, -92, -24);
    cairo_curve_to(cr, -92, -60, -64, -80, -40, -80);
    cairo_curve_to(cr, -20, -80, -6, -68, 0, -50);
    cairo_curve_to(cr, 6, -68, 20, -80, 40, -80);
    cairo_curve_to(cr, 64, -80, 92, -60, 92, -24);
    cairo_curve_to(cr, 92, 18, 40, 46, 0, 78);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void PaintCrescent(cairo_t* cr)
{
    const double ax = 116, ay = 130, ar = 64;  // the lit disc
    const double bx = 146, by = 112, br = 56;  // the part in shadow
    const double half = outlineWidth;
    cairo_save(cr);
    cairo_new_path(cr);
    AddCircle(cr, ax, ay, ar + half);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, 256, 256);
    AddCircle(cr, bx, by, br - half);
    FillColour(cr, Hex(0x8a6d00));
    cairo_restore(cr);

    cairo_save(cr);
    cairo_new_path(cr);
    AddCircle(cr, ax, ay, ar - half);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, 256, 256);
    AddCircle(cr, bx, by, br + half);
    FillWith(cr, Radial(92, 150, 10, 80, Hex(0xfffde7), Hex(0xffd54f)));
    cairo_restore(cr);
}

void PaintNightStars(cairo_t* cr)
{
    // All in the dark sky, clear of the crescent.
    const double stars[5][3] = {
        {178, 76, 12}, {206, 122, 7}, {188, 170, 9}, {88, 54, 6}, {150, 208, 6}};
    for (const auto& s : stars) {
        cairo_new_path(cr);
        AddStar(cr, s[0], s[1], s[2], s[2] * 0.45, 5, 0);
        FillColour(cr, Hex(0xfff59d));
    }
}

void PaintPetals(cairo_t* cr)
{
    cairo_new_path(cr);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4 + M_PI / 8;
        AddEllipse(cr, 128 + 44 * std::cos(a), 100 + 44 * std::sin(a), 32, 19, a);
    }
    cairo_pattern_t* pink = Radial(128, 100, 20, 80, Hex(0xfde4ee), Hex(0xe8437f));
    AddStop(pink, 0.5, Hex(0xf48fb1));
    FillOutlined(cr, pink, Hex(0x9c1a4f), outlineWidth);
}

void PaintFlowerHeart(cairo_t* cr)
{
    cairo_new_path(cr);
    AddCircle(cr, 128, 100, 24);
    FillOutlined(cr, Radial(122, 94, 3, 26, Hex(0xfff176), Hex(0xf9a825)), Hex(0xb26a00),
                 outlineWidth);
    cairo_new_path(cr);
    for (int i = 0; i < 7; ++i) {
        double a = i * 2 * M_PI / 7;
        AddCircle(cr, 128 + 12 * std::cos(a), 100 + 12 * std::sin(a), 2.6);
    }
    FillColour(cr, Hex(0xa0522d), 0.8);
}

void PaintStemAndLeaf(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 130);
    cairo_curve_to(cr, 124, 170, 134, 196, 128, 228);
    StrokeColour(cr, Hex(0x1b5e20), 12, 1.0, true);
    StrokeColour(cr, Hex(0x43a047), 6);

    cairo_new_path(cr);
    cairo_move_to(cr, 130, 196);
    cairo_curve_to(cr, 150, 170, 182, 168, 196, 176);
    cairo_curve_to(cr, 180, 196, 152, 206, 130, 196);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(130, 170, 196, 200, Hex(0x81c784), Hex(0x2e7d32)), Hex(0x1b5e20),
                 outlineWidth);
}

void PaintGrapeStalk(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 84);
    cairo_curve_to(cr, 126, 66, 134, 50, 146, 40);
    StrokeColour(cr, Hex(0x4e342e), 11, 1.0, true);
    StrokeColour(cr, Hex(0x8d6e63), 5);

    cairo_new_path(cr);
    cairo_move_to(cr, 134, 60);
    cairo_curve_to(cr, 150, 34, 190, 30, 206, 44);
    cairo_curve_to(cr, 196, 74, 160, 84, 134, 60);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(134, 30, 206, 80, Hex(0x9ccc65), Hex(0x33691e)), Hex(0x1b4314),
                 outlineWidth);
    cairo_new_path(cr);
    cairo_move_to(cr, 140, 60);
    cairo_curve_to(cr, 160, 54, 180, 48, 200, 46);
    StrokeColour(cr, Hex(0x1b4314), 2);
}

void PaintGrape(cairo_t* cr, double x, double y)
{
    const double r = 19;
    cairo_new_path(cr);
    AddCircle(cr, x, y, r);
    cairo_pattern_t* skin = Radial(x - 6, y - 7, 2, r + 4, Hex(0xd1b3f5), Hex(0x4a1a8c));
    AddStop(skin, 0.45, Hex(0x8e5bd6));
    FillOutlined(cr, skin, Hex(0x2c0b5a), 2.5);
    PaintShine(cr, x - 7, y - 8, 6, 4, -0.6, 0.8);
}

void PaintCarrotBody(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, -34, -66);
    cairo_curve_to(cr, -30, -6, -12, 52, 0, 96);
    cairo_curve_to(cr, 12, 52, 30, -6, 34, -66);
    cairo_curve_to(cr, 22, -80, -22, -80, -34, -66);
    cairo_close_path(cr);
    cairo_pattern_t* skin = Linear(-34, 0, 34, 0, Hex(0xffb74d), Hex(0xd84315));
    AddStop(skin, 0.35, Hex(0xff8a1f));
    FillOutlined(cr, skin, Hex(0x8a2a05), outlineWidth);

    cairo_new_path(cr);
    const double ridges[5][3] = {
        {-26, -36, 14}, {8, -18, 18}, {-18, 8, 12}, {6, 34, 12}, {-8, 58, 8}};
    for (const auto& r : ridges) {
        cairo_move_to(cr, r[0], r[1]);
        cairo_line_to(cr, r[0] + r[2], r[1] + 3);
    }
    StrokeColour(cr, Hex(0xb33a0b), 3.5);
}

void PaintCarrotLeaves(cairo_t* cr)
{
    cairo_new_path(cr);
    AddEllipse(cr, -22, -104, 12, 34, -0.45);
    AddEllipse(cr, 22, -104, 12, 34, 0.45);
    AddEllipse(cr, 0, -112, 13, 38, 0);
    FillOutlined(cr, Linear(0, -150, 0, -70, Hex(0x9ccc65), Hex(0x2e7d32)), Hex(0x1b5e20),
                 outlineWidth);
}

// The back: a bevelled blue tile with a gold medallion. The block's narrow sides show the
// same texture squeezed to a sixth of its height, so the bevel also reads as their rim.
void PaintBackPlate(cairo_t* cr)
{
    cairo_rectangle(cr, 0, 0, 256, 256);
    cairo_pattern_t* base = Linear(0, 0, 256, 256, Hex(0x2a9bc4), Hex(0x0c3f6b));
    AddStop(base, 0.5, Hex(0x176ea0));
    FillWith(cr, base);

    cairo_new_path(cr);
    for (int i = -8; i <= 8; ++i) {
        double x = 128 + i * 32;
        cairo_move_to(cr, x - 256, -0.0);
        cairo_line_to(cr, x + 256, 512);
        cairo_move_to(cr, x + 256, -0.0);
        cairo_line_to(cr, x - 256, 512);
    }
    StrokeColour(cr, white, 2, 0.07);
}

void PaintBackBevel(cairo_t* cr)
{
    const double b = 14;
    struct Side {
        double x0, y0, x1, y1, x2, y2, x3, y3;
        Rgb colour;
        double alpha;
    };
    const Side sides[4] = {{0, 0, 256, 0, 256 - b, b, b, b, white, 0.38},
                           {0, 0, b, b, b, 256 - b, 0, 256, white, 0.22},
                           {0, 256, b, 256 - b, 256 - b, 256 - b, 256, 256, {0, 0, 0}, 0.40},
                           {256, 0, 256, 256, 256 - b, 256 - b, 256 - b, b, {0, 0, 0}, 0.28}};
    for (const Side& s : sides) {
        cairo_new_path(cr);
        cairo_move_to(cr, s.x0, s.y0);
        cairo_line_to(cr, s.x1, s.y1);
        cairo_line_to(cr, s.x2, s.y2);
        cairo_line_to(cr, s.x3, s.y3);
        cairo_close_path(cr);
        FillColour(cr, s.colour, s.alpha);
    }
    cairo_new_path(cr);
    cairo_rectangle(cr, 1, 1, 254, 254);
    StrokeColour(cr, Hex(0x06223d), 2);
}

void PaintBackTrim(cairo_t* cr)
{
    Rgb gold = Hex(0xf2c94c);
    cairo_new_path(cr);
    AddRoundedRect(cr, 26, 26, 204, 204, 16);
    StrokeColour(cr, Hex(0x06223d), 7, 0.6);
    AddRoundedRect(cr, 26, 26, 204, 204, 16);
    StrokeColour(cr, gold, 4);
    const double corners[4][2] = {{46, 46}, {210, 46}, {46, 210}, {210, 210}};
    for (const auto& c : corners) {
        cairo_new_path(cr);
        AddStar(cr, c[0], c[1], 9, 3.5, 4, 0);
        FillOutlined(cr, Linear(0, c[1] - 9, 0, c[1] + 9, Hex(0xfff3b0), gold), Hex(0x7a5a00), 1.2);
    }
}

void PaintBackMedallion(cairo_t* cr)
{
    Rgb gold = Hex(0xf2c94c);
    cairo_new_path(cr);
    AddCircle(cr, 128, 128, 60);
    cairo_pattern_t* disc = Radial(118, 112, 6, 64, Hex(0x2f8fc0), Hex(0x0a3358));
    FillOutlined(cr, disc, Hex(0x06223d), 2);
    cairo_new_path(cr);
    AddCircle(cr, 128, 128, 60);
    cairo_pattern_t* ring = Linear(0, 68, 0, 188, Hex(0xfff3b0), Hex(0xc7951c));
    cairo_set_line_width(cr, 8);
    cairo_set_source(cr, ring);
    cairo_stroke(cr);
    cairo_pattern_destroy(ring);

    cairo_new_path(cr);
    AddStar(cr, 128, 128, 44, 12, 4, 0);
    cairo_pattern_t* star = Linear(96, 86, 160, 170, Hex(0xfff8d0), gold);
    AddStop(star, 1, Hex(0xd49a1a));
    FillOutlined(cr, star, Hex(0x6b4a00), 1.8);
    cairo_new_path(cr);
    AddStar(cr, 128, 128, 24, 6, 4, M_PI / 4);
    FillColour(cr, white, 0.55);
}

}  // namespace

void UseDesignSpace(cairo_t* cr, int w, int h)
{
    cairo_scale(cr, w / 256.0, h / 256.0);
}

void PaintCardFace(cairo_t* cr, Rgb theme)
{
    cairo_rectangle(cr, 0, 0, 256, 256);
    FillWith(cr, Radial(128, 118, 10, 200, white, Hex(0xf1ead8)));

    AddRoundedRect(cr, 5, 5, 246, 246, 26);
    StrokeColour(cr, Lighter(theme, 0.25), 9);
    AddRoundedRect(cr, 12, 12, 232, 232, 20);
    StrokeColour(cr, white, 2.5, 0.9);
}

void PaintShine(cairo_t* cr, double cx, double cy, double rx, double ry, double angle, double alpha)
{
    cairo_new_path(cr);
    AddEllipse(cr, cx, cy, rx, ry, angle);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, std::max(rx, ry));
    AddStop(p, 0, white, alpha);
    AddStop(p, 1, white, 0);
    FillWith(cr, p);
}

void PaintGroundShadow(cairo_t* cr, double cx, double cy, double rx)
{
    // A soft oval: a round gradient drawn in a vertically squashed space.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 1, 0.18);
    cairo_new_path(cr);
    AddCircle(cr, 0, 0, rx);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, rx);
    AddStop(p, 0, {0.35, 0.3, 0.2}, 0.35);
    AddStop(p, 1, {0.35, 0.3, 0.2}, 0);
    FillWith(cr, p);
    cairo_restore(cr);
}

void PaintBlockBack(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintBackPlate(cr);
    PaintBackTrim(cr);
    PaintBackMedallion(cr);
    PaintBackBevel(cr);
}

void PaintSun(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xffc107));
    PaintSunRays(cr);
    cairo_new_path(cr);
    AddCircle(cr, 128, 128, 58);
    cairo_pattern_t* disc = Radial(112, 108, 6, 66, Hex(0xfffde0), Hex(0xffc400));
    AddStop(disc, 0.5, Hex(0xffe94a));
    FillOutlined(cr, disc, Hex(0xc76e00), outlineWidth);
    PaintSunFace(cr);
}

void PaintFish(cairo_t* cr, int w, int h)
{
    Rgb outline = Hex(0x0b3d6e);
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x29b6f6));
    PaintFishFins(cr, Hex(0x0288d1), outline);
    TraceFishBody(cr);
    cairo_pattern_t* body = Linear(0, 80, 0, 180, Hex(0x81d4fa), Hex(0x1565c0));
    AddStop(body, 0.5, Hex(0x29a3e8));
    FillOutlined(cr, body, outline, outlineWidth);
    PaintFishDetails(cr, outline);
    PaintShine(cr, 150, 100, 26, 9, -0.15, 0.5);
    PaintBubbles(cr);
}

void PaintTree(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x66bb6a));
    PaintGroundShadow(cr, 128, 214, 70);
    PaintTreeTrunk(cr);
    PaintTreeCrown(cr);
    PaintApples(cr);
}

void PaintHeart(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xef5350));
    TraceHeart(cr, 1.0);
    cairo_pattern_t* fill = Radial(100, 90, 8, 150, Hex(0xff8a80), Hex(0xb71c1c));
    AddStop(fill, 0.45, Hex(0xf0313a));
    FillOutlined(cr, fill, Hex(0x6d0f12), outlineWidth);
    TraceHeart(cr, 0.62);
    StrokeColour(cr, white, 3, 0.35);
    PaintShine(cr, 84, 92, 22, 12, -0.8, 0.85);
}

void PaintMoon(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x3949ab));
    cairo_new_path(cr);
    AddCircle(cr, 128, 128, 100);
    cairo_pattern_t* sky = Radial(128, 110, 10, 104, Hex(0x3f51b5), Hex(0x101850));
    FillOutlined(cr, sky, Hex(0x0a0f33), outlineWidth);
    PaintNightStars(cr);
    PaintCrescent(cr);
}

void PaintFlower(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xf06292));
    PaintStemAndLeaf(cr);
    PaintPetals(cr);
    PaintFlowerHeart(cr);
}

void PaintGrapes(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x9575cd));
    PaintGrapeStalk(cr);
    const double rows[4][5] = {
        {4, 77, 111, 145, 179}, {3, 94, 128, 162, 0}, {2, 111, 145, 0, 0}, {1, 128, 0, 0, 0}};
    for (int row = 0; row < 4; ++row) {
        int n = int(rows[row][0]);
        for (int i = 0; i < n; ++i)
            PaintGrape(cr, rows[row][1 + i], 100 + row * 31);
    }
}

void PaintCarrot(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xff8a3d));
    cairo_save(cr);
    // Leaves to tip spans 246 units; centre that span and lay it along the diagonal.
    cairo_translate(cr, 128, 128);
    cairo_rotate(cr, -0.7);
    cairo_scale(cr, 0.8, 0.8);
    cairo_translate(cr, 0, 27);
    PaintCarrotLeaves(cr);
    PaintCarrotBody(cr);
    cairo_restore(cr);
}
