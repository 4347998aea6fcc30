// Text as drawn: where the frame's texts land, glyphs and their fonts, printing and freeing.
#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/text_layout.h"
#include "platform/posix/glyphs_fontconfig.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"

namespace {

// Where glyphs printed at a raster position may fall: up to a cap height above the
// baseline, a descender below, and a given width to the right.
Rect TextArea(double x, double y, int width)
{
    WindowPoint origin = ProjectToWindow(x, y, kTextZ);
    int ox = static_cast<int>(origin.x), oy = static_cast<int>(origin.y);
    return {ox - 2, oy - 14, ox + width, oy + 5};
}

}  // namespace

TEST_F(GlTest, TheFrameRateTextIsDrawnAtItsRasterPosition)
{
    Frame withText = DrawAndRead();
    ASSERT_STREQ(frameRate.text, "FPS: 1");
    std::strcpy(frameRate.text, "FPS: 60");
    withText = DrawAndRead();
    frameRate.text[0] = '\0';
    Frame without = DrawAndRead();
    Difference difference = Compare(withText, without);
    EXPECT_GT(difference.darkInFirst, 30);
    EXPECT_EQ(difference.darkInFirst, difference.count) << "the text is black";
    EXPECT_TRUE(Inside(difference.box, TextArea(kFrameRateText.x, kFrameRateText.y, 70)));
}

TEST_F(GlTest, ScoreListNamesAndValuesAreDrawnAtTheirRows)
{
    for (int i = 0; i < 5; ++i)
        saved.scoreValues[5 + i] = 0;
    Frame empty = DrawAndRead();
    std::strcpy(saved.scoreNames[7], "WMWMW");
    saved.scoreValues[7] = 1234;
    Frame filled = DrawAndRead();
    Difference difference = Compare(filled, empty);
    EXPECT_GT(difference.darkInFirst, 40);
    // Row 3 of the list, the name after "3. ", the score in the wide column.
    const double y = kScoreFirstRow.y - 2 * kTextLineStep;
    Rect row = TextArea(kScoreFirstRow.x, y, 0);
    row.x1 = static_cast<int>(ProjectToWindow(kWideScoreColumnX, y, kTextZ).x) + 40;
    EXPECT_TRUE(Inside(difference.box, row));
}

TEST_F(GlTest, BytesWithoutAGlyphDrawNothing)
{
    std::strcpy(saved.scoreNames[5], "Ann");
    Frame plain = DrawAndRead();
    const char damaged[] = {'\x01', 'A', '\xC8', 'n', '\x1F', '\xFF', 'n', '\x80', '\0'};
    std::memcpy(saved.scoreNames[5], damaged, sizeof damaged);
    Frame withBytes = DrawAndRead();
    EXPECT_EQ(Compare(plain, withBytes).count, 0);
}

TEST_F(GlTest, PrintingKeepsTheListBaseAndCutsLongTexts)
{
    glLoadIdentity();
    glTranslatef(0, 0, -10);
    glListBase(7);
    auto rasterAfter = [](int characters) {
        glRasterPos2f(-4, 0);
        PrintText("%s", std::string(characters, 'i').c_str());
        GLfloat position[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return position[0];
    };
    float after254 = rasterAfter(254);
    float after255 = rasterAfter(255);
    float after400 = rasterAfter(400);
    EXPECT_GT(after255, after254);
    EXPECT_EQ(after400, after255) << "text beyond 255 characters is cut";
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);
    glListBase(0);

    // An empty text leaves the raster position alone.
    glRasterPos2f(-1, 0);
    GLfloat before[4], after[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    PrintText("%s", "");
    PrintItalic("%s", "");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    EXPECT_EQ(before[0], after[0]);
}

TEST_F(GlTest, ItalicAndUprightTextDiffer)
{
    auto drawn = [](bool italic) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -10);
        glColor3f(1, 1, 1);
        glRasterPos2f(-2, 0);
        if (italic)
            PrintItalic("Tall Hills");
        else
            PrintText("Tall Hills");
        glFinish();
        return ReadFrame();
    };
    Frame upright = drawn(false);
    Frame italic = drawn(true);
    Frame clear = (glClear(GL_COLOR_BUFFER_BIT), glFinish(), ReadFrame());
    EXPECT_GT(Compare(upright, clear).count, 50);
    EXPECT_GT(Compare(italic, clear).count, 50);
    EXPECT_GT(Compare(upright, italic).count, 20);
    glColor3f(1, 1, 1);
}

TEST_F(GlTest, HelpLinesAndEndOfGameLinesLandOnTheirRows)
{
    game.helpShown = true;
    Frame help = DrawAndRead();
    game.helpShown = false;
    game.timeTrial = true;
    Frame scores = DrawAndRead();
    std::vector<std::string> helpLines = HelpLines();
    ASSERT_EQ(helpLines.size(), 12u) << "the help text as written";
    for (int line = 0; line < 12; ++line) {
        Rect row = TextArea(kHelpFirstLine.x, kHelpFirstLine.y - kTextLineStep * static_cast<float>(line), 200);
        row.y0 += 4;  // keep clear of the line above
        int dark = 0;
        for (int y = row.y0; y < row.y1; ++y)
            for (int x = row.x0; x < row.x1; ++x)
                dark += IsDark(help.At(x, y));
        bool blank = helpLines[line].find_first_not_of(' ') == std::string::npos;
        if (blank)
            EXPECT_EQ(dark, 0) << "help line " << line;
        else
            EXPECT_GT(dark, 20) << "help line " << line;
    }
    EXPECT_GT(Compare(help, scores).count, 100);

    game.gameOver = true;
    game.gameOverAlpha = 1.0f;  // the banner stays put between the two frames
    game.finalRank = 5;
    game.finalScore = 14;
    std::strcpy(game.nameBuffer, "Ann");
    Frame placed = DrawAndRead();
    game.finalRank = -1;
    Frame unplaced = DrawAndRead();
    Difference difference = Compare(placed, unplaced);
    EXPECT_GT(difference.count, 40);
    Rect lines = TextArea(kNameLine.x, kRankLine.y, 200);
    lines.y1 = TextArea(kNameLine.x, kNameLine.y, 0).y1;
    EXPECT_TRUE(Inside(difference.box, lines));
}

namespace {

struct Ink {
    Rect box{kWindowWidth, kWindowHeight, -1, -1};
    std::vector<int> perRow;  // lit pixels in each row of the box, top first
    std::vector<double> rowCentre;  // mean column of the lit pixels of each row
};

// Draws one text in white on the clear colour and measures where the glyph pixels lie.
Ink InkOf(const char* text, double x, double y)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, -10);
    glColor3f(1, 1, 1);
    // Bitmap fragments are textured too; the game's texts are black, so it never shows.
    glDisable(GL_TEXTURE_2D);
    glRasterPos2f(static_cast<float>(x), static_cast<float>(y));
    PrintText("%s", text);
    glEnable(GL_TEXTURE_2D);
    glFinish();
    Frame frame = ReadFrame();
    Ink ink;
    for (int row = 0; row < kWindowHeight; ++row)
        for (int column = 0; column < kWindowWidth; ++column)
            if (frame.At(column, row).r > 200)
                ink.box = {std::min(ink.box.x0, column), std::min(ink.box.y0, row),
                           std::max(ink.box.x1, column + 1), std::max(ink.box.y1, row + 1)};
    for (int row = ink.box.y0; row < ink.box.y1; ++row) {
        int lit = 0;
        double columns = 0;
        for (int column = ink.box.x0; column < ink.box.x1; ++column) {
            bool on = frame.At(column, row).r > 200;
            lit += on;
            columns += on ? column : 0;
        }
        ink.perRow.push_back(lit);
        ink.rowCentre.push_back(lit ? columns / lit : 0);
    }
    return ink;
}

}  // namespace

TEST_F(GlTest, GlyphsStandUprightOnTheBaselineAtTheRasterPosition)
{
    WindowPoint origin = ProjectToWindow(-1, 0, -10);
    Ink tee = InkOf("T", -1, 0);
    ASSERT_GT(tee.perRow.size(), 6u);
    // The bar of a T is at its top; a glyph drawn upside down has it at the bottom.
    EXPECT_GT(tee.perRow.front(), 2 * tee.perRow.back());
    // Capitals stand on the baseline, which is the raster position's row.
    EXPECT_NEAR(tee.box.y1, origin.y, 1.5);
    EXPECT_NEAR(tee.box.x0, origin.x, 2.5);
    // About 12 pixels to the em: a capital is 8 to 10 pixels tall.
    EXPECT_GE(tee.box.y1 - tee.box.y0, 7);
    EXPECT_LE(tee.box.y1 - tee.box.y0, 11);

    Ink ell = InkOf("L", -1, 0);
    EXPECT_GT(ell.perRow.back(), 2 * ell.perRow.front());
    Ink gee = InkOf("g", -1, 0);
    EXPECT_GT(gee.box.y1, origin.y + 1) << "a descender reaches below the baseline";
    glColor3f(1, 1, 1);
}

TEST_F(GlTest, AFaceWithoutItalicsIsSlantedByShearing)
{
    FontChoice upright = ChooseFont(false);
    ASSERT_FALSE(upright.file.empty());
    FontChoice slanted = upright;
    slanted.synthesizeOblique = true;
    unsigned int lists = glGenLists(kGlyphCount);
    ASSERT_TRUE(BuildGlyphListsFrom(slanted, lists, kBaseEmPixels, AsciiGlyphCodes()));
    unsigned int gameFont = renderResources.textFont;

    Ink straight = InkOf("I", 0, 0);
    renderResources.textFont = lists;
    Ink leaning = InkOf("I", 0, 0);
    renderResources.textFont = gameFont;
    glDeleteLists(lists, kGlyphCount);

    ASSERT_GT(straight.rowCentre.size(), 6u);
    ASSERT_GT(leaning.rowCentre.size(), 6u);
    EXPECT_NEAR(straight.rowCentre.front(), straight.rowCentre.back(), 0.6);
    // A capital of about 9 pixels sheared by 0.21 leans about 2 pixels to the right.
    EXPECT_GT(leaning.rowCentre.front() - leaning.rowCentre.back(), 1.0);
    glColor3f(1, 1, 1);
}

// No usable font leaves every text invisible: the log names what was tried.
TEST_F(GlTest, AFontThatCannotBeBuiltSaysWhatWasTried)
{
    unsigned int lists = glGenLists(kGlyphCount);
    FontChoice missing;
    missing.file = "/nonexistent/NoSuchFont.ttf";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(BuildGlyphListsFrom(missing, lists, kBaseEmPixels, AsciiGlyphCodes()));
    EXPECT_FALSE(BuildGlyphListsFrom(FontChoice{}, lists, kBaseEmPixels, AsciiGlyphCodes()));
    std::string said = testing::internal::GetCapturedStderr();
    // Text is built again at every size change: the same warning is not repeated.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(BuildGlyphListsFrom(FontChoice{}, lists, kBaseEmPixels, AsciiGlyphCodes()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    glDeleteLists(lists, kGlyphCount);
    EXPECT_NE(said.find("warning: no glyphs could be made from the font "
                        "/nonexistent/NoSuchFont.ttf"), std::string::npos) << said;
    EXPECT_NE(said.find("found no font (tried \"Verdana\" bold, then \"DejaVu Sans\" bold)"),
              std::string::npos) << said;
}

TEST_F(GlTest, FreeFontsDeletesTheListsAndIsHarmlessWithoutAContext)
{
    unsigned int upright = renderResources.textFont, italic = renderResources.italicFont;
    ASSERT_TRUE(glIsList(upright) && glIsList(italic + kGlyphCount - 1));
    FreeFonts();
    EXPECT_FALSE(glIsList(upright));
    EXPECT_FALSE(glIsList(italic + kGlyphCount - 1));
    EXPECT_EQ(renderResources.textFont, 0u);
    FreeFonts();  // twice is fine
    // Without fonts, printing must not run the scene's own lists in their place.
    Frame before = (glClear(GL_COLOR_BUFFER_BIT), glFinish(), ReadFrame());
    glLoadIdentity();
    glTranslatef(0, 0, -10);
    glRasterPos2f(0, 0);
    PrintText("%s", "\x21\x22\x30\x31\x32");
    glFinish();
    EXPECT_EQ(Compare(before, ReadFrame()).count, 0);

    BuildTextFonts();
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    ASSERT_EQ(SDL_GL_MakeCurrent(window, nullptr), 0);
    unsigned int rebuiltUpright = renderResources.textFont, rebuiltItalic = renderResources.italicFont;
    FreeFonts();  // the context is not current: nothing to delete through
    EXPECT_EQ(renderResources.textFont, 0u);
    ASSERT_EQ(SDL_GL_MakeCurrent(window, context), 0);
    EXPECT_TRUE(glIsList(rebuiltUpright)) << "nothing was deleted without the context";
    glDeleteLists(rebuiltUpright, kGlyphCount);
    glDeleteLists(rebuiltItalic, kGlyphCount);
    BuildTextFonts();
}
