// The menu panel at the right of the window and everything drawn on it. Black 12-pixel text
// falls on the score board, the clock label and the name strip, so those stay light.
#include "art.h"

#include <algorithm>
#include <cmath>

#include "game/scene_layout.h"
#include "lang/translate.h"

namespace {

const Rgb white = {1, 1, 1};
const Rgb ink = Hex(0x0b3a4a);  // outlines of the panel pieces
const Rgb gold = Hex(0xe9b949);

// The width of a plate's face a label may fill, as a fraction of the picture's.
constexpr double kLabelRoom = 0.84;

// Where a quad sits in the scene: its vertical centre and half-height in scene units and its
// distance from the viewer. The panel backdrop behind a piece follows from these.
struct Placement {
    double centreY, halfHeight, depth;
};

constexpr Placement PlacementOf(Piece piece)
{
    const ScenePiece& at = PieceOf(piece);
    return {at.y, at.halfHeight, -(at.z + at.faceZ)};
}

const Placement menuPanel = PlacementOf(Piece::MenuPanel);
const Placement bigButtons[4] = {PlacementOf(Piece::New), PlacementOf(Piece::Mode),
                                 PlacementOf(Piece::Sound), PlacementOf(Piece::Help)};
const Placement smallButtons = PlacementOf(Piece::About);  // Exit sits level with it
const Placement scoreBoard = PlacementOf(Piece::ScoreBoard);
const Placement speaker = PlacementOf(Piece::SpeakerOn);
const Placement modeLabel = PlacementOf(Piece::TimeTrialLabel);
const Placement timerLabel = PlacementOf(Piece::ClockLabel);
const Placement nameStrip = PlacementOf(Piece::NameStrip);

// Fraction of the way down the menu panel (0 top, 1 bottom) that a scene height at the given
// depth covers on screen. The view's vertical angle is fixed, so this holds at any window size.
double PanelFraction(double sceneY, double depth)
{
    double onPanel = sceneY * menuPanel.depth / depth;
    double top = menuPanel.centreY + menuPanel.halfHeight;
    return (top - onPanel) / (2 * menuPanel.halfHeight);
}

double FractionOf(const Placement& outer, const Placement& inner, double innerFraction)
{
    double y = inner.centreY + inner.halfHeight * (1 - 2 * innerFraction);
    double onOuter = y * outer.depth / inner.depth;
    double top = outer.centreY + outer.halfHeight;
    return (top - onOuter) / (2 * outer.halfHeight);
}

Rgb PanelColour(double f)
{
    const Rgb top = Hex(0xf3ecd8), middle = Hex(0xe9dcbc), bottom = Hex(0xd9c59a);
    f = std::clamp(f, 0.0, 1.0);
    return f < 0.5 ? Mix(top, middle, f * 2) : Mix(middle, bottom, f * 2 - 1);
}

Rgb ParchmentColour(double f)
{
    return Mix(Hex(0xfffcf2), Hex(0xf7eed6), std::clamp(f, 0.0, 1.0));
}

// Fills the canvas with the panel colour that lies behind this piece, so rounded corners
// blend into the panel instead of showing square edges.
void PaintBackdrop(cairo_t* cr, int w, int h, const Placement& at)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    for (int i = 0; i <= 4; ++i) {
        double y = at.centreY + at.halfHeight * (1 - i / 2.0);
        AddStop(p, i / 4.0, PanelColour(PanelFraction(y, at.depth)));
    }
    cairo_rectangle(cr, 0, 0, w, h);
    FillWith(cr, p);
}

void PaintBlinkerBackdrop(cairo_t* cr, int w, int h)
{
    Rgb top = ParchmentColour(FractionOf(scoreBoard, nameStrip, 0));
    Rgb bottom = ParchmentColour(FractionOf(scoreBoard, nameStrip, 1));
    cairo_rectangle(cr, 0, 0, w, h);
    FillWith(cr, Linear(0, 0, 0, h, top, bottom));
}

void PaintGloss(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_path(cr);
    AddRoundedRect(cr, x, y, w, h, r);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(p, 0, white, 0.45);
    AddStop(p, 1, white, 0.0);
    FillWith(cr, p);
}

// A bevelled, glossy plate filling the canvas but for a small margin.
void PaintPlate(cairo_t* cr, int w, int h, Rgb light, Rgb dark)
{
    double m = h * 0.06, r = h * 0.24, rim = std::max(2.0, h * 0.045);
    cairo_new_path(cr);
    AddRoundedRect(cr, m, m, w - 2 * m, h - 2 * m, r);
    cairo_pattern_t* body = Linear(0, m, 0, h - m, light, Darker(dark, 0.1));
    AddStop(body, 0.5, Mix(light, dark, 0.55));
    FillWith(cr, body, true);
    StrokeColour(cr, ink, rim);

    double inset = m + rim;
    PaintGloss(cr, inset, inset, w - 2 * inset, (h - 2 * inset) * 0.48, r - rim);
    cairo_new_path(cr);
    AddRoundedRect(cr, inset, inset, w - 2 * inset, h - 2 * inset, r - rim);
    StrokeColour(cr, white, rim * 0.5, 0.35);
}

// The size a label is drawn at: its own, or smaller where a long word would not fit the
// plate's face (a translation may be twice as long as the English word).
double FittedSize(cairo_t* cr, const char* words, double size, double room)
{
    double width = MeasureTextWidth(cr, words, size);
    return width > room ? size * room / width : size;
}

void PaintMenuButton(cairo_t* cr, int w, int h, const Placement& at, const char* word)
{
    PaintBackdrop(cr, w, h, at);
    PaintPlate(cr, w, h, Hex(0x4cc3d9), Hex(0x12607e));
    double size = FittedSize(cr, word, h * 0.5, w * kLabelRoom);
    TextStyle style = {size, white, Hex(0x08384a), h * 0.035, h * 0.035};
    DrawCentredText(cr, word, w / 2.0, h / 2.0 + h * 0.01, style);
}

void PaintSmallButton(cairo_t* cr, int w, int h, const char* word, Rgb light, Rgb dark)
{
    PaintBackdrop(cr, w, h, smallButtons);
    PaintPlate(cr, w, h, light, dark);
    double size = FittedSize(cr, word, h * 0.5, w * kLabelRoom);
    TextStyle style = {size, white, Darker(dark, 0.55), h * 0.04, h * 0.04};
    DrawCentredText(cr, word, w / 2.0, h / 2.0 + h * 0.01, style);
}

void PaintModeLabel(cairo_t* cr, int w, int h, const char* words, Rgb light, Rgb dark)
{
    PaintBackdrop(cr, w, h, modeLabel);
    PaintPlate(cr, w, h, light, dark);
    double size = FittedSize(cr, words, h * 0.46, w * kLabelRoom);
    TextStyle style = {size, white, Darker(dark, 0.55), h * 0.04, h * 0.03};
    DrawCentredText(cr, words, w / 2.0, h / 2.0 + h * 0.01, style);
}

void PaintSpeakerBadge(cairo_t* cr, int w, int h)
{
    PaintBackdrop(cr, w, h, speaker);
    cairo_scale(cr, w / 128.0, h / 128.0);
    cairo_new_path(cr);
    AddCircle(cr, 64, 64, 58);
    cairo_pattern_t* disc = Radial(54, 44, 4, 66, Hex(0x58cfe2), Hex(0x0e5470));
    AddStop(disc, 0.55, Hex(0x1f8aa8));
    FillWith(cr, disc, true);
    StrokeColour(cr, ink, 4);
    cairo_new_path(cr);
    AddCircle(cr, 64, 64, 53);
    StrokeColour(cr, white, 2.5, 0.45);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 64, 64);
    cairo_scale(cr, 48, 26);
    cairo_arc(cr, 0, -0.55, 1, M_PI, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 20, 0, 64);
    AddStop(gloss, 0, white, 0.45);
    AddStop(gloss, 1, white, 0.0);
    FillWith(cr, gloss);
}

void PaintSpeakerShape(cairo_t* cr, Rgb fill)
{
    cairo_new_path(cr);
    cairo_move_to(cr, 30, 52);
    cairo_line_to(cr, 46, 52);
    cairo_line_to(cr, 66, 34);
    cairo_line_to(cr, 66, 94);
    cairo_line_to(cr, 46, 76);
    cairo_line_to(cr, 30, 76);
    cairo_close_path(cr);
    StrokeColour(cr, ink, 6, 1.0, true);
    FillColour(cr, fill);
}

void PaintSoundWaves(cairo_t* cr)
{
    for (int i = 0; i < 3; ++i) {
        double r = 12 + i * 11;
        cairo_new_path(cr);
        cairo_arc(cr, 68, 64, r, -0.28 * M_PI, 0.28 * M_PI);
        StrokeColour(cr, ink, 9);
        cairo_new_path(cr);
        cairo_arc(cr, 68, 64, r, -0.28 * M_PI, 0.28 * M_PI);
        StrokeColour(cr, white, 4.5);
    }
}

void PaintMuteCross(cairo_t* cr)
{
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        cairo_move_to(cr, 78, 48);
        cairo_line_to(cr, 106, 80);
        cairo_move_to(cr, 106, 48);
        cairo_line_to(cr, 78, 80);
        if (pass == 0)
            StrokeColour(cr, Hex(0x4a0a0a), 14);
        else
            StrokeColour(cr, Hex(0xff4a3d), 8);
    }
}

// A gear with square-cut teeth and a round hole, white on the badge like the speaker.
void PaintGearShape(cairo_t* cr)
{
    const int teeth = 8;
    const double cx = 64, cy = 64, outer = 38, root = 28, hole = 11;
    const double step = 2 * M_PI / teeth;
    cairo_new_path(cr);
    for (int i = 0; i < teeth; ++i) {
        // Each tooth narrows a little toward its tip; the gaps are arcs of the root circle.
        double a = -M_PI / 2 + i * step;
        double baseHalf = step * 0.26, tipHalf = step * 0.19;
        cairo_arc(cr, cx, cy, root, a - step / 2, a - baseHalf);
        cairo_line_to(cr, cx + outer * std::cos(a - tipHalf), cy + outer * std::sin(a - tipHalf));
        cairo_line_to(cr, cx + outer * std::cos(a + tipHalf), cy + outer * std::sin(a + tipHalf));
        cairo_arc(cr, cx, cy, root, a + baseHalf, a + step / 2);
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    AddCircle(cr, cx, cy, hole);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    StrokeColour(cr, ink, 6, 1.0, true);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    FillColour(cr, white);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

void PaintClockIcon(cairo_t* cr, double cx, double cy, double r)
{
    cairo_new_path(cr);
    AddCircle(cr, cx, cy, r);
    cairo_pattern_t* face = Radial(cx - r * 0.3, cy - r * 0.3, 1, r, white, Hex(0xd8eef2));
    FillWith(cr, face, true);
    StrokeColour(cr, ink, r * 0.22);
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - r * 0.62);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.45, cy + r * 0.1);
    StrokeColour(cr, Hex(0xc0392b), r * 0.17);
    cairo_new_path(cr);
    AddCircle(cr, cx, cy, r * 0.12);
    FillColour(cr, ink);
}

// A thin gold rule with a diamond in the middle, on the panel between groups of pieces.
void PaintDivider(cairo_t* cr, double w, double y)
{
    cairo_new_path(cr);
    cairo_move_to(cr, w * 0.14, y);
    cairo_line_to(cr, w * 0.86, y);
    cairo_pattern_t* line = cairo_pattern_create_linear(w * 0.14, 0, w * 0.86, 0);
    AddStop(line, 0, gold, 0);
    AddStop(line, 0.5, Darker(gold, 0.2), 1);
    AddStop(line, 1, gold, 0);
    cairo_set_source(cr, line);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_pattern_destroy(line);
    cairo_new_path(cr);
    AddStar(cr, w / 2, y, 7, 3, 4, 0);
    FillColour(cr, gold, 1, true);
    StrokeColour(cr, Darker(gold, 0.5), 1.2);
}

void PaintPanelLattice(cairo_t* cr, int w, int h)
{
    cairo_new_path(cr);
    for (int i = -h / 24; i <= (w + h) / 24; ++i) {
        double x = i * 24.0;
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + h, h);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x - h, h);
    }
    StrokeColour(cr, Hex(0x9c8352), 1, 0.07);
}

void PaintPanelEdges(cairo_t* cr, int w, int h)
{
    // The left edge faces the board: a teal rail with a gold line.
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, 9, h);
    FillWith(cr, Linear(0, 0, 9, 0, Hex(0x0b4a5c), Hex(0x1b7a92)));
    cairo_new_path(cr);
    cairo_rectangle(cr, w - 9, 0, 9, h);
    FillWith(cr, Linear(w - 9, 0, w, 0, Hex(0x1b7a92), Hex(0x0b4a5c)));
    cairo_new_path(cr);
    cairo_move_to(cr, 10.5, 0);
    cairo_line_to(cr, 10.5, h);
    cairo_move_to(cr, w - 10.5, 0);
    cairo_line_to(cr, w - 10.5, h);
    StrokeColour(cr, gold, 2);
}

double PanelRow(int h, double sceneY, double depth)
{
    return PanelFraction(sceneY, depth) * h;
}

void PaintScoreFrame(cairo_t* cr, int w, int h, double band)
{
    Rgb teal = Hex(0x17718c);
    cairo_new_path(cr);
    AddRoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 12);
    FillWith(cr, Linear(0, 0, 0, h, Lighter(teal, 0.1), Darker(teal, 0.15)), true);
    StrokeColour(cr, ink, 3);

    cairo_new_path(cr);
    AddRoundedRect(cr, 5, band, w - 10, h - 2 * band, 6);
    FillWith(cr,
             Linear(0, band, 0, h - band, ParchmentColour(band / h), ParchmentColour(1 - band / h)),
             true);
    StrokeColour(cr, gold, 1.5);
}

// A faint star behind the texts: enough to give the sheet some life, far too pale to
// compete with black 12-pixel glyphs.
void PaintScoreWatermark(cairo_t* cr, int w, int h)
{
    cairo_new_path(cr);
    AddStar(cr, w / 2.0, h * 0.56, w * 0.36, w * 0.15, 5, 0);
    FillColour(cr, gold, 0.10, true);
    StrokeColour(cr, gold, 2, 0.16);
    cairo_new_path(cr);
    AddCircle(cr, w / 2.0, h * 0.56, w * 0.42);
    StrokeColour(cr, gold, 2, 0.12);
}

void PaintScoreBands(cairo_t* cr, int w, int h, double band)
{
    for (double y : {band / 2, h - band / 2}) {
        for (int i = -1; i <= 1; ++i) {
            cairo_new_path(cr);
            double r = i == 0 ? 6.0 : 4.5;
            AddStar(cr, w / 2.0 + i * 22, y, r, r * 0.42, 5, 0);
            FillColour(cr, Hex(0xffd95a), 1, true);
            StrokeColour(cr, Hex(0x5c4300), 0.8);
        }
        cairo_new_path(cr);
        cairo_move_to(cr, 24, y);
        cairo_line_to(cr, w / 2.0 - 34, y);
        cairo_move_to(cr, w / 2.0 + 34, y);
        cairo_line_to(cr, w - 24, y);
        StrokeColour(cr, gold, 1.5, 0.8);
    }
}

}  // namespace

void PaintMenuPanel(cairo_t* cr, int w, int h)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    for (int i = 0; i <= 8; ++i)
        AddStop(p, i / 8.0, PanelColour(i / 8.0));
    cairo_rectangle(cr, 0, 0, w, h);
    FillWith(cr, p);
    PaintPanelLattice(cr, w, h);
    PaintPanelEdges(cr, w, h);

    // In the gap between the Help button and the speaker.
    double helpBottom = PanelRow(h, 4.5, 48), speakerTop = PanelRow(h, 3.6, 48.5);
    PaintDivider(cr, w, (helpBottom + speakerTop) / 2);
}

void PaintNewButton(cairo_t* cr, int w, int h)
{
    // TRANSLATORS: the labels of the panel's buttons, drawn into their pictures: keep them
    // short, one word if you can (a long one is drawn smaller to fit its button).
    PaintMenuButton(cr, w, h, bigButtons[0], TranslateIn("button", "New"));
}

void PaintModeButton(cairo_t* cr, int w, int h)
{
    PaintMenuButton(cr, w, h, bigButtons[1], TranslateIn("button", "Mode"));
}

void PaintSoundButton(cairo_t* cr, int w, int h)
{
    PaintMenuButton(cr, w, h, bigButtons[2], TranslateIn("button", "Sound"));
}

void PaintHelpButton(cairo_t* cr, int w, int h)
{
    PaintMenuButton(cr, w, h, bigButtons[3], TranslateIn("button", "Help"));
}

void PaintAboutButton(cairo_t* cr, int w, int h)
{
    // TRANSLATORS: a small button, half as wide as New: a short word.
    PaintSmallButton(cr, w, h, TranslateIn("button", "About"), Hex(0x4cc3d9), Hex(0x12607e));
}

void PaintExitButton(cairo_t* cr, int w, int h)
{
    // TRANSLATORS: a small button, half as wide as New: a short word.
    PaintSmallButton(cr, w, h, TranslateIn("button", "Exit"), Hex(0xf07a63), Hex(0xa3261a));
}

void PaintScoreBoard(cairo_t* cr, int w, int h)
{
    // The texts run from about 17 rows below the top to 17 above the bottom, almost edge to
    // edge, so the frame is a thin rim and the decoration sits in the two end bands.
    const double band = h * 0.04;
    PaintBackdrop(cr, w, h, scoreBoard);
    PaintScoreFrame(cr, w, h, band);
    PaintScoreWatermark(cr, w, h);
    PaintScoreBands(cr, w, h, band);
}

void PaintSpeakerOn(cairo_t* cr, int w, int h)
{
    PaintSpeakerBadge(cr, w, h);
    PaintSpeakerShape(cr, white);
    PaintSoundWaves(cr);
}

void PaintSpeakerOff(cairo_t* cr, int w, int h)
{
    PaintSpeakerBadge(cr, w, h);
    PaintSpeakerShape(cr, Hex(0xc9d6da));
    PaintMuteCross(cr);
}

void PaintGear(cairo_t* cr, int w, int h)
{
    PaintSpeakerBadge(cr, w, h);
    PaintGearShape(cr);
}

void PaintTimeTrialLabel(cairo_t* cr, int w, int h)
{
    // TRANSLATORS: the mode the game is in, on a small label of the panel: two short words
    // at most. A time trial: as many pairs as you can find in two minutes.
    PaintModeLabel(cr, w, h, TranslateIn("mode", "Time Trial"), Hex(0xffb04a), Hex(0xc4540c));
}

void PaintNormalLabel(cairo_t* cr, int w, int h)
{
    // TRANSLATORS: the other mode, on the same label: three boards, as few moves as you can.
    PaintModeLabel(cr, w, h, TranslateIn("mode", "Normal"), Hex(0x7fd36b), Hex(0x2e7d32));
}

void PaintTimerLabel(cairo_t* cr, int w, int h)
{
    // The clock digits or "pairs/moves" are printed in black from about a sixth of the width
    // to the right end, so only a small icon sits at the far left.
    PaintBackdrop(cr, w, h, timerLabel);
    double m = h * 0.06, r = h * 0.24;
    cairo_new_path(cr);
    AddRoundedRect(cr, m, m, w - 2 * m, h - 2 * m, r);
    FillWith(cr, Linear(0, m, 0, h - m, white, Hex(0xeef6f4)), true);
    StrokeColour(cr, ink, std::max(2.0, h * 0.045));
    PaintClockIcon(cr, h * 0.28, h / 2.0, h * 0.17);
}

void PaintBlinker(cairo_t* cr, int w, int h)
{
    PaintBlinkerBackdrop(cr, w, h);
    double m = 1.5;
    cairo_new_path(cr);
    AddRoundedRect(cr, m, m, w - 2 * m, h - 2 * m, (h - 2 * m) / 2);
    FillWith(cr, Linear(0, 0, 0, h, Hex(0xfffbe0), Hex(0xffeeaa)), true);
    StrokeColour(cr, Hex(0xd49a1a), 2.5);
}
