// Drawing the game's art: shared helpers of the asset tool. The game never includes this.
#pragma once

#include <cairo.h>

#include <string>

// A colour with components from 0 to 1.
struct Rgb {
    double r, g, b;
};

// Paints one image of the game upright onto a w x h canvas.
using PaintFunction = void (*)(cairo_t* cr, int w, int h);
// Paints picture number `picture` of a set (game/assets.h's order) onto a w x h canvas.
using PicturePainter = void (*)(cairo_t* cr, int w, int h, int picture);

// --- files (art_files.cpp) ---------------------------------------------------------------

// Writes the surface as a 24-bit bottom-up BMP; false (with a message) when the file fails.
bool WriteBmp(cairo_surface_t* surface, const std::string& path);
// Writes the short soft click the game plays on every accepted pick.
bool WriteClickWav(const std::string& path);

// --- drawing helpers (art_shapes.cpp) -----------------------------------------------------

Rgb Hex(unsigned rgb);
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, t = 1 gives b
Rgb Lighter(Rgb c, double t);     // toward white
Rgb Darker(Rgb c, double t);      // toward black
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);

// Gradients: the caller adds the stops; FillWith and FillOutlined take ownership of the pattern.
cairo_pattern_t* Linear(double x0, double y0, double x1, double y1, Rgb a, Rgb b);
cairo_pattern_t* Radial(double cx, double cy, double r0, double r1, Rgb inner, Rgb outer);
void AddStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha = 1.0);
void FillWith(cairo_t* cr, cairo_pattern_t* pattern, bool keepPath = false);
void FillColour(cairo_t* cr, Rgb c, double alpha = 1.0, bool keepPath = false);
void StrokeColour(cairo_t* cr, Rgb c, double width, double alpha = 1.0, bool keepPath = false);

// Paths (appended to the current path as closed sub-paths).
void AddRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void AddCircle(cairo_t* cr, double cx, double cy, double r);
void AddEllipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle);
void AddStar(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
             double rotation);

// A shape filled with its pattern and outlined: the outline is stroked first at twice the width
// and the fill painted over it, so overlapping sub-paths share one outer outline.
void FillOutlined(cairo_t* cr, cairo_pattern_t* fill, Rgb outline, double width);

// Text in DejaVu Sans Bold, centred on (cx, cy) by its capital height.
struct TextStyle {
    double size;
    Rgb fill;
    Rgb outline;
    double outlineWidth;  // 0 draws no outline
    double shadow;        // offset of a soft dark shadow, 0 for none
};
void DrawCentredText(cairo_t* cr, const char* text, double cx, double cy, const TextStyle& style);
double MeasureTextWidth(cairo_t* cr, const char* text, double size);

// --- the images ---------------------------------------------------------------------------

// art_pictures.cpp: the block back, the standard game's eight pictures and the card that
// every picture of every set sits on. Pictures are drawn in a 256 x 256 design space and
// read at about 100 to 151 pixels, so shapes are bold and outlined.
inline constexpr double kPictureOutline = 3.5;
void UseDesignSpace(cairo_t* cr, int w, int h);
// The light card, framed in the picture's own colour so faces also differ at their edges.
void PaintCardFace(cairo_t* cr, Rgb theme);
// A soft round shine, for glossy highlights.
void PaintShine(cairo_t* cr, double cx, double cy, double rx, double ry, double angle,
                double alpha);
void PaintGroundShadow(cairo_t* cr, double cx, double cy, double rx);
void PaintBlockBack(cairo_t* cr, int w, int h);
void PaintSun(cairo_t* cr, int w, int h);
void PaintFish(cairo_t* cr, int w, int h);
void PaintTree(cairo_t* cr, int w, int h);
void PaintHeart(cairo_t* cr, int w, int h);
void PaintMoon(cairo_t* cr, int w, int h);
void PaintFlower(cairo_t* cr, int w, int h);
void PaintGrapes(cairo_t* cr, int w, int h);
void PaintCarrot(cairo_t* cr, int w, int h);

// art_standard.cpp: the standard set, those eight and ten more in their style.
void PaintStandardPicture(cairo_t* cr, int w, int h, int picture);

// art_type.cpp: the type set, letters and digits. Its face must be installed, or every
// picture would change: false, with a message naming the package, when it is not.
bool TypeFaceInstalled();
void PaintTypePicture(cairo_t* cr, int w, int h, int picture);

// art_shape_set.cpp: the shapes set.
void PaintShapePicture(cairo_t* cr, int w, int h, int picture);

// art_panel.cpp: the menu panel and everything on it.
void PaintMenuPanel(cairo_t* cr, int w, int h);
void PaintNewButton(cairo_t* cr, int w, int h);
void PaintModeButton(cairo_t* cr, int w, int h);
void PaintSoundButton(cairo_t* cr, int w, int h);
void PaintHelpButton(cairo_t* cr, int w, int h);
void PaintAboutButton(cairo_t* cr, int w, int h);
void PaintExitButton(cairo_t* cr, int w, int h);
void PaintScoreBoard(cairo_t* cr, int w, int h);
void PaintSpeakerOn(cairo_t* cr, int w, int h);
void PaintSpeakerOff(cairo_t* cr, int w, int h);
// The Options control, the speaker's badge with a gear, to sit beside the speaker.
void PaintGear(cairo_t* cr, int w, int h);
void PaintTimeTrialLabel(cairo_t* cr, int w, int h);
void PaintNormalLabel(cairo_t* cr, int w, int h);
void PaintTimerLabel(cairo_t* cr, int w, int h);
void PaintBlinker(cairo_t* cr, int w, int h);

// art_banners.cpp: the two banners drawn additively over the board.
void PaintGameOverBanner(cairo_t* cr, int w, int h);
void PaintPausedBanner(cairo_t* cr, int w, int h);

// art_icon.cpp: the application icon, size x size pixels on a transparent canvas.
void PaintIcon(cairo_t* cr, int size);
