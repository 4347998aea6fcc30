// The standard set: the standard game's eight pictures (art_pictures.cpp) and ten more in
// their style, for the larger boards. Each new picture has a silhouette of its own, so the
// set still reads where colours do not: in grey, to colour-blind eyes, at 100 pixels.
#include "art.h"

#include <cmath>
#include <iterator>

#include "game/assets.h"

namespace {

const Rgb white = {1, 1, 1};
const double outlineWidth = kPictureOutline;

// A path stroked twice, dark and wide under a lighter, narrower line: a tube with an outline.
void StrokeTube(cairo_t* cr, Rgb outline, double width, cairo_pattern_t* fill, double inner)
{
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    StrokeColour(cr, outline, width, 1.0, true);
    cairo_set_source(cr, fill);
    cairo_set_line_width(cr, inner);
    cairo_stroke(cr);
    cairo_pattern_destroy(fill);
}

// --- mushroom ------------------------------------------------------------------------------

void TraceMushroomCap(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 30, 136);
    cairo_curve_to(cr, 30, 74, 74, 34, 128, 34);
    cairo_curve_to(cr, 182, 34, 226, 74, 226, 136);
    cairo_curve_to(cr, 190, 154, 66, 154, 30, 136);
    cairo_close_path(cr);
}

void PaintMushroom(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xd32f2f));
    PaintGroundShadow(cr, 128, 216, 64);

    cairo_new_path(cr);
    cairo_move_to(cr, 100, 136);
    cairo_curve_to(cr, 96, 172, 86, 200, 94, 216);
    cairo_line_to(cr, 162, 216);
    cairo_curve_to(cr, 170, 200, 160, 172, 156, 136);
    cairo_close_path(cr);
    cairo_pattern_t* stem = Linear(90, 0, 166, 0, Hex(0xfffaf0), Hex(0xd9c3a0));
    AddStop(stem, 0.4, Hex(0xfff3dc));
    FillOutlined(cr, stem, Hex(0x5d4037), outlineWidth);

    TraceMushroomCap(cr);
    cairo_pattern_t* cap = Radial(96, 70, 8, 150, Hex(0xff8a80), Hex(0xa31515));
    AddStop(cap, 0.45, Hex(0xe53935));
    FillOutlined(cr, cap, Hex(0x5a0b0b), outlineWidth);

    cairo_save(cr);
    TraceMushroomCap(cr);
    cairo_clip(cr);
    const double spots[6][3] = {{84, 78, 15},  {136, 58, 13}, {182, 94, 15},
                                {128, 108, 12}, {60, 122, 10}, {204, 132, 9}};
    for (const auto& s : spots) {
        cairo_new_path(cr);
        AddCircle(cr, s[0], s[1], s[2]);
        FillColour(cr, Hex(0xfffdf5), 0.95);
    }
    cairo_restore(cr);
    PaintShine(cr, 100, 58, 26, 12, -0.5, 0.55);
}

// --- snowflake -----------------------------------------------------------------------------

void TraceSnowflake(cairo_t* cr)
{
    cairo_new_path(cr);
    for (int arm = 0; arm < 6; ++arm) {
        double a = arm * M_PI / 3 - M_PI / 2;
        double c = std::cos(a), s = std::sin(a);
        cairo_move_to(cr, 128, 128);
        cairo_line_to(cr, 128 + 96 * c, 128 + 96 * s);
        // Two pairs of side branches, swept out toward the tip.
        const double branches[2][2] = {{50, 22}, {76, 17}};
        for (const auto& b : branches) {
            double x = 128 + b[0] * c, y = 128 + b[0] * s;
            for (int side = -1; side <= 1; side += 2) {
                double ba = a + side * M_PI / 3;
                cairo_move_to(cr, x, y);
                cairo_line_to(cr, x + b[1] * std::cos(ba), y + b[1] * std::sin(ba));
            }
        }
    }
}

void PaintSnowflake(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x4dd0e1));
    TraceSnowflake(cr);
    cairo_pattern_t* ice = Radial(128, 128, 10, 100, white, Hex(0x4fc3f7));
    AddStop(ice, 0.6, Hex(0xb3e5fc));
    StrokeTube(cr, Hex(0x0d3c78), 20, ice, 12);

    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3 - M_PI / 2;
        double r = 24;
        if (i == 0)
            cairo_move_to(cr, 128 + r * std::cos(a), 128 + r * std::sin(a));
        else
            cairo_line_to(cr, 128 + r * std::cos(a), 128 + r * std::sin(a));
    }
    cairo_close_path(cr);
    FillOutlined(cr, Radial(122, 120, 2, 26, white, Hex(0x81d4fa)), Hex(0x0d3c78), 3);
    cairo_new_path(cr);
    AddCircle(cr, 128, 128, 7);
    FillColour(cr, Hex(0x29b6f6));
}

// --- umbrella ------------------------------------------------------------------------------

const double umbrellaLeft = 30, umbrellaRight = 226, umbrellaRim = 126, umbrellaTop = 40;
const int umbrellaScallops = 4;

void TraceUmbrellaCanopy(cairo_t* cr)
{
    double span = (umbrellaRight - umbrellaLeft) / umbrellaScallops;
    cairo_new_path(cr);
    cairo_move_to(cr, umbrellaLeft, umbrellaRim);
    cairo_curve_to(cr, umbrellaLeft, 70, 80, umbrellaTop, 128, umbrellaTop);
    cairo_curve_to(cr, 176, umbrellaTop, umbrellaRight, 70, umbrellaRight, umbrellaRim);
    for (int i = umbrellaScallops; i > 0; --i) {
        double x1 = umbrellaLeft + i * span, x0 = x1 - span;
        cairo_curve_to(cr, x1 - span * 0.2, umbrellaRim - 18, x0 + span * 0.2, umbrellaRim - 18,
                       x0, umbrellaRim);
    }
    cairo_close_path(cr);
}

void PaintUmbrellaPanels(cairo_t* cr)
{
    double span = (umbrellaRight - umbrellaLeft) / umbrellaScallops;
    cairo_save(cr);
    TraceUmbrellaCanopy(cr);
    cairo_clip(cr);
    // Every other panel light: wedges from the tip out to the scallops' points.
    for (int i = 1; i < umbrellaScallops; i += 2) {
        double x0 = umbrellaLeft + i * span, x1 = x0 + span;
        cairo_new_path(cr);
        cairo_move_to(cr, 128, umbrellaTop - 4);
        cairo_curve_to(cr, x0 - 6 * (2 - i), 70, x0, 100, x0, umbrellaRim + 4);
        cairo_line_to(cr, x1, umbrellaRim + 4);
        cairo_curve_to(cr, x1, 100, x1 + 6 * (i - 1), 70, 128, umbrellaTop - 4);
        cairo_close_path(cr);
        FillWith(cr, Linear(0, umbrellaTop, 0, umbrellaRim, Hex(0xe0f7f4), Hex(0xa6dcd6)));
    }
    for (int i = 1; i < umbrellaScallops; ++i) {
        double x = umbrellaLeft + i * span;
        cairo_new_path(cr);
        cairo_move_to(cr, 128, umbrellaTop);
        cairo_curve_to(cr, x - 6 * (2 - i), 70, x, 100, x, umbrellaRim);
        StrokeColour(cr, Hex(0x00443c), 2.5);
    }
    cairo_restore(cr);
}

void PaintUmbrella(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x26a69a));

    cairo_new_path(cr);
    cairo_move_to(cr, 128, 110);
    cairo_line_to(cr, 128, 196);
    cairo_curve_to(cr, 128, 222, 94, 222, 94, 198);
    StrokeTube(cr, Hex(0x3e2723), 18, Linear(0, 110, 0, 222, Hex(0xa1887f), Hex(0x6d4c41)), 10);

    TraceUmbrellaCanopy(cr);
    cairo_pattern_t* cloth = Radial(100, 60, 10, 170, Hex(0x64d8c8), Hex(0x00695c));
    AddStop(cloth, 0.5, Hex(0x1fa595));
    FillOutlined(cr, cloth, Hex(0x00332d), outlineWidth);
    PaintUmbrellaPanels(cr);

    cairo_new_path(cr);
    cairo_move_to(cr, 128, umbrellaTop);
    cairo_line_to(cr, 128, 24);
    StrokeTube(cr, Hex(0x3e2723), 11, Linear(0, 24, 0, 40, Hex(0xa1887f), Hex(0x6d4c41)), 5);
    PaintShine(cr, 92, 68, 26, 10, -0.55, 0.5);
}

// --- sailboat ------------------------------------------------------------------------------

void PaintSailboatSails(cairo_t* cr)
{
    Rgb navy = Hex(0x0d2a5c);
    cairo_new_path(cr);
    cairo_move_to(cr, 136, 34);
    cairo_curve_to(cr, 168, 70, 196, 120, 204, 160);
    cairo_line_to(cr, 136, 160);
    cairo_close_path(cr);
    cairo_pattern_t* main = Linear(136, 0, 204, 0, white, Hex(0xd6e2f0));
    FillOutlined(cr, main, navy, outlineWidth);
    // A red band across the big sail.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 136, 34);
    cairo_curve_to(cr, 168, 70, 196, 120, 204, 160);
    cairo_line_to(cr, 136, 160);
    cairo_close_path(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 130, 104, 90, 20);
    FillColour(cr, Hex(0xe53935));
    cairo_restore(cr);

    cairo_new_path(cr);
    cairo_move_to(cr, 120, 56);
    cairo_line_to(cr, 120, 160);
    cairo_curve_to(cr, 100, 148, 76, 150, 62, 160);
    cairo_curve_to(cr, 84, 128, 104, 92, 120, 56);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(62, 0, 120, 0, Hex(0xd6e2f0), white), navy, outlineWidth);
}

void PaintSailboat(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x1e88e5));

    cairo_new_path(cr);
    cairo_move_to(cr, 128, 170);
    cairo_line_to(cr, 128, 26);
    StrokeTube(cr, Hex(0x3e2512), 10, Linear(0, 26, 0, 170, Hex(0xa1887f), Hex(0x5d4037)), 5);
    cairo_new_path(cr);
    cairo_move_to(cr, 130, 24);
    cairo_line_to(cr, 156, 31);
    cairo_line_to(cr, 130, 38);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(0, 24, 0, 38, Hex(0xffd54f), Hex(0xff8f00)), Hex(0x5a3000), 1.5);
    PaintSailboatSails(cr);

    cairo_new_path(cr);
    cairo_move_to(cr, 40, 166);
    cairo_line_to(cr, 216, 166);
    cairo_curve_to(cr, 204, 190, 190, 200, 172, 204);
    cairo_line_to(cr, 84, 204);
    cairo_curve_to(cr, 66, 200, 52, 190, 40, 166);
    cairo_close_path(cr);
    cairo_pattern_t* hull = Linear(0, 166, 0, 204, Hex(0x3f6fd8), Hex(0x0d2a7a));
    FillOutlined(cr, hull, Hex(0x0a1840), outlineWidth);
    cairo_new_path(cr);
    cairo_move_to(cr, 48, 176);
    cairo_line_to(cr, 208, 176);
    StrokeColour(cr, white, 4, 0.85);

    // Waves along the bottom, inside the card's frame.
    cairo_save(cr);
    cairo_new_path(cr);
    AddRoundedRect(cr, 12, 12, 232, 232, 20);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, 16, 208);
    for (int i = 0; i < 7; ++i) {
        double x = 16 + i * 34;
        cairo_curve_to(cr, x + 8, 196, x + 26, 196, x + 34, 208);
    }
    cairo_line_to(cr, 244, 244);
    cairo_line_to(cr, 16, 244);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(0, 198, 0, 244, Hex(0x4fc3f7), Hex(0x0277bd)), Hex(0x01457a), 2.5);
    cairo_restore(cr);
}

// --- ice cream -----------------------------------------------------------------------------

void TraceCone(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 84, 128);
    cairo_line_to(cr, 172, 128);
    cairo_line_to(cr, 132, 228);
    cairo_curve_to(cr, 130, 232, 126, 232, 124, 228);
    cairo_close_path(cr);
}

void PaintCone(cairo_t* cr)
{
    TraceCone(cr);
    cairo_pattern_t* wafer = Linear(84, 0, 172, 0, Hex(0xf9d48a), Hex(0xc98a32));
    FillOutlined(cr, wafer, Hex(0x6b3e0c), outlineWidth);
    cairo_save(cr);
    TraceCone(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int i = -6; i <= 6; ++i) {
        double x = 128 + i * 16;
        cairo_move_to(cr, x - 60, 110);
        cairo_line_to(cr, x + 60, 240);
        cairo_move_to(cr, x + 60, 110);
        cairo_line_to(cr, x - 60, 240);
    }
    StrokeColour(cr, Hex(0x9c6420), 2.5, 0.8);
    cairo_restore(cr);
}

void TraceScoop(cairo_t* cr)
{
    // A round scoop whose lower edge runs in drips over the cone's rim.
    cairo_new_path(cr);
    cairo_move_to(cr, 74, 124);
    cairo_curve_to(cr, 58, 70, 96, 40, 128, 40);
    cairo_curve_to(cr, 160, 40, 198, 70, 182, 124);
    const double drips[5][2] = {{168, 140}, {150, 130}, {132, 146}, {112, 132}, {92, 142}};
    double x = 182;
    for (const auto& d : drips) {
        double next = d[0] - 10;
        cairo_curve_to(cr, x - 2, d[1] + 4, next + 4, d[1] + 4, next + 2, 126);
        x = next;
    }
    cairo_line_to(cr, 74, 124);
    cairo_close_path(cr);
}

void PaintIceCream(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xf48fb1));
    PaintCone(cr);

    TraceScoop(cr);
    cairo_pattern_t* cream = Radial(106, 70, 6, 100, Hex(0xffe4ee), Hex(0xd8457a));
    AddStop(cream, 0.5, Hex(0xf590b6));
    FillOutlined(cr, cream, Hex(0x7a1240), outlineWidth);

    const double sprinkles[7][3] = {{100, 76, 0.6},  {130, 62, -0.4}, {156, 84, 1.1},
                                    {118, 100, 0.2}, {146, 108, -0.9}, {92, 106, 1.4},
                                    {170, 112, 0.3}};
    const unsigned colours[4] = {0xfff176, 0x4fc3f7, 0xffffff, 0x81c784};
    for (int i = 0; i < 7; ++i) {
        const auto& s = sprinkles[i];
        cairo_new_path(cr);
        cairo_move_to(cr, s[0] - 6 * std::cos(s[2]), s[1] - 6 * std::sin(s[2]));
        cairo_line_to(cr, s[0] + 6 * std::cos(s[2]), s[1] + 6 * std::sin(s[2]));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        StrokeColour(cr, Hex(colours[i % 4]), 4.5);
    }

    // A cherry on top.
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 30);
    cairo_curve_to(cr, 130, 18, 140, 12, 150, 10);
    StrokeColour(cr, Hex(0x3e2723), 3);
    cairo_new_path(cr);
    AddCircle(cr, 128, 36, 13);
    FillOutlined(cr, Radial(124, 31, 1, 14, Hex(0xff8a80), Hex(0xc62828)), Hex(0x5a0b0b), 2.5);
    PaintShine(cr, 123, 31, 4, 3, -0.6, 0.9);
    PaintShine(cr, 104, 62, 18, 9, -0.6, 0.5);
}

// --- butterfly -----------------------------------------------------------------------------

void PaintWings(cairo_t* cr)
{
    Rgb outline = Hex(0x3a0a4a);
    cairo_new_path(cr);
    AddEllipse(cr, 84, 90, 52, 40, -0.55);
    AddEllipse(cr, 172, 90, 52, 40, 0.55);
    cairo_pattern_t* upper = Radial(128, 110, 10, 110, Hex(0xf3c4fb), Hex(0x7b1fa2));
    AddStop(upper, 0.45, Hex(0xc158dc));
    FillOutlined(cr, upper, outline, outlineWidth);

    cairo_new_path(cr);
    AddEllipse(cr, 94, 160, 36, 30, 0.5);
    AddEllipse(cr, 162, 160, 36, 30, -0.5);
    cairo_pattern_t* lower = Radial(128, 140, 10, 80, Hex(0xf8d9ff), Hex(0x9c27b0));
    AddStop(lower, 0.5, Hex(0xd17de6));
    FillOutlined(cr, lower, outline, outlineWidth);

    const double spots[6][3] = {{62, 76, 13}, {194, 76, 13}, {92, 104, 8},
                                {164, 104, 8}, {88, 166, 9},  {168, 166, 9}};
    for (const auto& s : spots) {
        cairo_new_path(cr);
        AddCircle(cr, s[0], s[1], s[2]);
        FillOutlined(cr, Radial(s[0] - 2, s[1] - 2, 1, s[2], Hex(0xfff9c4), Hex(0xffca28)),
                     outline, 2);
    }
}

void PaintButterfly(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xab47bc));
    cairo_translate(cr, 0, 8);  // the antennae reach up, so the wings sit a little low
    PaintWings(cr);

    Rgb body = Hex(0x2b1d16);
    cairo_new_path(cr);
    cairo_move_to(cr, 122, 68);
    cairo_curve_to(cr, 112, 46, 96, 36, 84, 34);
    cairo_move_to(cr, 134, 68);
    cairo_curve_to(cr, 144, 46, 160, 36, 172, 34);
    StrokeColour(cr, body, 4);
    cairo_new_path(cr);
    AddCircle(cr, 84, 34, 6);
    AddCircle(cr, 172, 34, 6);
    FillColour(cr, body);

    cairo_new_path(cr);
    AddEllipse(cr, 128, 132, 11, 62, 0);
    FillOutlined(cr, Linear(117, 0, 139, 0, Hex(0x6d4c41), body), Hex(0x120c08), 2.5);
    cairo_new_path(cr);
    AddCircle(cr, 128, 72, 13);
    FillOutlined(cr, Radial(124, 68, 1, 13, Hex(0x8d6e63), body), Hex(0x120c08), 2.5);
    PaintShine(cr, 124, 66, 5, 3, -0.6, 0.6);
}

// --- acorn ---------------------------------------------------------------------------------

void TraceAcornCap(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 60, 118);
    cairo_curve_to(cr, 56, 72, 92, 54, 128, 54);
    cairo_curve_to(cr, 164, 54, 200, 72, 196, 118);
    cairo_curve_to(cr, 170, 130, 86, 130, 60, 118);
    cairo_close_path(cr);
}

void PaintAcorn(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x8d6e63));

    cairo_new_path(cr);
    cairo_move_to(cr, 76, 112);
    cairo_curve_to(cr, 70, 172, 100, 212, 128, 230);
    cairo_curve_to(cr, 156, 212, 186, 172, 180, 112);
    cairo_close_path(cr);
    cairo_pattern_t* nut = Linear(76, 0, 180, 0, Hex(0xf2b56b), Hex(0x9a5213));
    AddStop(nut, 0.4, Hex(0xd98c36));
    FillOutlined(cr, nut, Hex(0x4a2608), outlineWidth);
    PaintShine(cr, 104, 160, 10, 26, 0.15, 0.6);

    cairo_new_path(cr);
    cairo_move_to(cr, 128, 60);
    cairo_curve_to(cr, 128, 44, 134, 32, 146, 26);
    StrokeTube(cr, Hex(0x2e1a0c), 13, Linear(0, 26, 0, 60, Hex(0x8d6e63), Hex(0x5d4037)), 7);

    TraceAcornCap(cr);
    cairo_pattern_t* cap = Linear(0, 54, 0, 128, Hex(0x9e7b5a), Hex(0x5a3a20));
    FillOutlined(cr, cap, Hex(0x2e1a0c), outlineWidth);
    cairo_save(cr);
    TraceAcornCap(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    for (int i = -6; i <= 6; ++i) {
        double x = 128 + i * 18;
        cairo_move_to(cr, x - 40, 50);
        cairo_line_to(cr, x + 40, 130);
        cairo_move_to(cr, x + 40, 50);
        cairo_line_to(cr, x - 40, 130);
    }
    StrokeColour(cr, Hex(0x3b2414), 2.5, 0.7);
    cairo_restore(cr);
    PaintShine(cr, 100, 74, 20, 8, -0.3, 0.4);
}

// --- rocket --------------------------------------------------------------------------------

void TraceRocketBody(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 100, 176);
    cairo_line_to(cr, 100, 96);
    cairo_curve_to(cr, 100, 62, 114, 40, 128, 24);
    cairo_curve_to(cr, 142, 40, 156, 62, 156, 96);
    cairo_line_to(cr, 156, 176);
    cairo_close_path(cr);
}

void PaintRocketFlame(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 108, 178);
    cairo_curve_to(cr, 104, 200, 118, 214, 128, 238);
    cairo_curve_to(cr, 138, 214, 152, 200, 148, 178);
    cairo_close_path(cr);
    cairo_pattern_t* fire = Linear(0, 178, 0, 238, Hex(0xfff59d), Hex(0xff6d00));
    AddStop(fire, 0.5, Hex(0xffb300));
    FillOutlined(cr, fire, Hex(0xb23c00), 2.5);
}

void PaintRocketFins(cairo_t* cr)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 100, 128);
    cairo_curve_to(cr, 78, 140, 66, 160, 66, 192);
    cairo_line_to(cr, 100, 174);
    cairo_close_path(cr);
    cairo_move_to(cr, 156, 128);
    cairo_curve_to(cr, 178, 140, 190, 160, 190, 192);
    cairo_line_to(cr, 156, 174);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(0, 128, 0, 192, Hex(0xff7961), Hex(0xb71c1c)), Hex(0x4a0707),
                 outlineWidth);
}

void PaintRocket(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x78909c));
    PaintRocketFlame(cr);
    PaintRocketFins(cr);

    TraceRocketBody(cr);
    cairo_pattern_t* hull = Linear(100, 0, 156, 0, Hex(0xffffff), Hex(0x9eadb6));
    AddStop(hull, 0.35, Hex(0xf1f4f6));
    FillOutlined(cr, hull, Hex(0x1c2a33), outlineWidth);
    cairo_save(cr);
    TraceRocketBody(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 90, 10, 80, 56);
    FillWith(cr, Linear(100, 0, 156, 0, Hex(0xff7961), Hex(0xb71c1c)));
    cairo_new_path(cr);
    cairo_rectangle(cr, 90, 162, 80, 16);
    FillColour(cr, Hex(0xb71c1c));
    cairo_new_path(cr);
    cairo_move_to(cr, 90, 66);
    cairo_line_to(cr, 170, 66);
    cairo_move_to(cr, 90, 162);
    cairo_line_to(cr, 170, 162);
    StrokeColour(cr, Hex(0x1c2a33), 3);
    cairo_restore(cr);

    cairo_new_path(cr);
    AddCircle(cr, 128, 108, 17);
    cairo_pattern_t* glass = Radial(122, 102, 2, 18, Hex(0xb3e5fc), Hex(0x0277bd));
    FillOutlined(cr, glass, Hex(0x1c2a33), 3.5);
    cairo_new_path(cr);
    AddCircle(cr, 128, 108, 17);
    StrokeColour(cr, Hex(0xb0bec5), 2.5);
    PaintShine(cr, 122, 101, 6, 4, -0.6, 0.9);
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 168);
    cairo_line_to(cr, 128, 180);
    StrokeColour(cr, Hex(0x1c2a33), 3);
}

// --- cactus --------------------------------------------------------------------------------

void PaintCactusPot(cairo_t* cr)
{
    Rgb outline = Hex(0x5a200d);
    cairo_new_path(cr);
    cairo_move_to(cr, 90, 180);
    cairo_line_to(cr, 166, 180);
    cairo_line_to(cr, 156, 230);
    cairo_line_to(cr, 100, 230);
    cairo_close_path(cr);
    FillOutlined(cr, Linear(90, 0, 166, 0, Hex(0xf0875a), Hex(0xb5461c)), outline, outlineWidth);
    cairo_new_path(cr);
    AddRoundedRect(cr, 80, 166, 96, 22, 5);
    FillOutlined(cr, Linear(80, 0, 176, 0, Hex(0xf59a70), Hex(0xc4532a)), outline, outlineWidth);
}

void PaintCactusPlant(cairo_t* cr)
{
    Rgb outline = Hex(0x123d1a);
    // The trunk is wider than the arms: the arms first, then the trunk over them.
    cairo_new_path(cr);
    cairo_move_to(cr, 120, 142);
    cairo_line_to(cr, 84, 142);
    cairo_line_to(cr, 84, 102);
    cairo_move_to(cr, 136, 118);
    cairo_line_to(cr, 172, 118);
    cairo_line_to(cr, 172, 78);
    StrokeTube(cr, outline, 31, Linear(60, 0, 196, 0, Hex(0x8bd47a), Hex(0x2e7d32)), 24);
    cairo_new_path(cr);
    cairo_move_to(cr, 128, 170);
    cairo_line_to(cr, 128, 62);
    StrokeTube(cr, outline, 45, Linear(106, 0, 150, 0, Hex(0x9be38a), Hex(0x2e7d32)), 38);

    // Ribs and spines.
    cairo_new_path(cr);
    cairo_move_to(cr, 120, 60);
    cairo_line_to(cr, 120, 168);
    cairo_move_to(cr, 136, 60);
    cairo_line_to(cr, 136, 168);
    StrokeColour(cr, Hex(0x1e5e28), 2.5, 0.7);
    cairo_new_path(cr);
    const double spines[8][2] = {{112, 80},  {144, 96}, {112, 120}, {144, 140},
                                 {84, 112},  {84, 132}, {172, 90},  {172, 106}};
    for (const auto& s : spines) {
        double dx = s[0] < 128 ? -7 : 7;
        cairo_move_to(cr, s[0], s[1]);
        cairo_line_to(cr, s[0] + dx, s[1] - 4);
    }
    StrokeColour(cr, Hex(0xfff8e1), 2);
}

void PaintCactusBloom(cairo_t* cr)
{
    cairo_new_path(cr);
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * M_PI / 5 - M_PI / 2;
        AddEllipse(cr, 128 + 11 * std::cos(a), 40 + 11 * std::sin(a), 10, 6.5, a);
    }
    FillOutlined(cr, Radial(128, 40, 2, 22, Hex(0xffe0ef), Hex(0xec407a)), Hex(0x880e4f), 2);
    cairo_new_path(cr);
    AddCircle(cr, 128, 40, 5);
    FillColour(cr, Hex(0xffd54f));
}

void PaintCactus(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0x7cb342));
    PaintCactusPlant(cr);
    PaintCactusBloom(cr);
    PaintCactusPot(cr);
}

// --- bee -----------------------------------------------------------------------------------

void TraceBeeBody(cairo_t* cr)
{
    cairo_new_path(cr);
    AddEllipse(cr, 134, 146, 70, 50, 0);
}

void PaintBee(cairo_t* cr, int w, int h)
{
    UseDesignSpace(cr, w, h);
    PaintCardFace(cr, Hex(0xfbc02d));
    Rgb ink = Hex(0x21160c);

    // Sting and wings behind the body.
    cairo_new_path(cr);
    cairo_move_to(cr, 198, 138);
    cairo_line_to(cr, 228, 150);
    cairo_line_to(cr, 198, 160);
    cairo_close_path(cr);
    FillColour(cr, ink);
    cairo_new_path(cr);
    AddEllipse(cr, 118, 82, 26, 40, -0.35);
    AddEllipse(cr, 158, 80, 24, 38, 0.4);
    FillOutlined(cr, Linear(0, 40, 0, 120, white, Hex(0xb3e5fc)), Hex(0x1f4e66), outlineWidth);
    PaintShine(cr, 112, 66, 8, 14, -0.35, 0.9);

    TraceBeeBody(cr);
    cairo_pattern_t* fur = Radial(112, 124, 8, 90, Hex(0xfff59d), Hex(0xf29b00));
    AddStop(fur, 0.5, Hex(0xffd22e));
    FillOutlined(cr, fur, ink, outlineWidth);
    cairo_save(cr);
    TraceBeeBody(cr);
    cairo_clip(cr);
    for (double x : {124.0, 160.0, 194.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, x - 8, 90);
        cairo_curve_to(cr, x + 6, 120, x + 6, 170, x - 8, 200);
        StrokeColour(cr, ink, 16);
    }
    cairo_restore(cr);

    cairo_new_path(cr);
    cairo_move_to(cr, 84, 108);
    cairo_curve_to(cr, 76, 84, 64, 72, 50, 70);
    cairo_move_to(cr, 96, 102);
    cairo_curve_to(cr, 94, 80, 88, 64, 78, 56);
    StrokeColour(cr, ink, 4);
    cairo_new_path(cr);
    AddCircle(cr, 50, 70, 6);
    AddCircle(cr, 78, 56, 6);
    FillColour(cr, ink);

    // The face, at the round front end.
    cairo_new_path(cr);
    AddCircle(cr, 92, 136, 9);
    FillColour(cr, ink);
    cairo_new_path(cr);
    AddCircle(cr, 95, 133, 3);
    FillColour(cr, white);
    cairo_new_path(cr);
    cairo_arc(cr, 88, 160, 12, 0.15 * M_PI, 0.75 * M_PI);
    StrokeColour(cr, ink, 4);
    cairo_new_path(cr);
    AddCircle(cr, 106, 158, 7);
    FillColour(cr, Hex(0xff7043), 0.5);
    PaintShine(cr, 110, 116, 20, 9, -0.3, 0.6);
}

const PaintFunction standardPictures[] = {
    PaintSun,      PaintFish,      PaintTree,      PaintHeart,  PaintMoon,
    PaintFlower,   PaintGrapes,    PaintCarrot,    PaintMushroom, PaintSnowflake,
    PaintUmbrella, PaintSailboat,  PaintIceCream,  PaintButterfly, PaintAcorn,
    PaintRocket,   PaintCactus,    PaintBee,
};
static_assert(std::size(standardPictures) == std::size(kStandardPictures),
              "one painter per picture of the standard set");

}  // namespace

void PaintStandardPicture(cairo_t* cr, int w, int h, int picture)
{
    standardPictures[picture](cr, w, h);
}
