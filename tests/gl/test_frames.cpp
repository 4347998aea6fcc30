// Whole frames read back from the GL: what the blocks show, translucency, banners and
// where the texts land.
#include <GL/gl.h>
#include <SDL.h>

#include <cstring>

#include "game/game_state.h"
#include "platform/glyphs.h"
#include "platform/image.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"
#include "platform/null/null_platform.h"

namespace {

struct Rect {
    int x0, y0, x1, y1;  // window pixels, y from the top, [x0, x1) x [y0, y1)
};

// The block's picture side (angle 180) or back (angle 0): both lie 0.5 nearer the viewer.
Rect FaceRect(int block)
{
    WindowPoint lowLeft = ProjectOnBlock(block, 0, -3, -3, 0.5);
    WindowPoint upRight = ProjectOnBlock(block, 0, 3, 3, 0.5);
    return {static_cast<int>(lowLeft.x), static_cast<int>(upRight.y), static_cast<int>(upRight.x),
            static_cast<int>(lowLeft.y)};
}

// Mean of the screen over the part [s0, s1) x [t0, t1) of a face seen unturned.
Rgb ScreenPart(const Frame& frame, const Rect& face, double s0, double t0, double s1, double t1)
{
    double width = face.x1 - face.x0, height = face.y1 - face.y0;
    return frame.Mean(face.x0 + static_cast<int>(s0 * width), face.y1 - static_cast<int>(t1 * height),
                      face.x0 + static_cast<int>(s1 * width), face.y1 - static_cast<int>(t0 * height));
}

// Mean of the image over the same texture coordinates (t = 0 is the bottom row).
Rgb ImagePart(const ImageRecord& image, double s0, double t0, double s1, double t1)
{
    long sum[3] = {0, 0, 0};
    long count = 0;
    for (int row = static_cast<int>(t0 * image.sizeY); row < static_cast<int>(t1 * image.sizeY); ++row) {
        for (int x = static_cast<int>(s0 * image.sizeX); x < static_cast<int>(s1 * image.sizeX); ++x) {
            const unsigned char* texel = image.data + (static_cast<size_t>(row) * image.sizeX + x) * 3;
            for (int c = 0; c < 3; ++c)
                sum[c] += texel[c];
            ++count;
        }
    }
    return {static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count), static_cast<int>(sum[2] / count)};
}

int Distance(const Rgb& a, const Rgb& b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// Four quadrants (inset from the edges) of a face against the image, as drawn or mirrored.
int FaceError(const Frame& frame, const Rect& face, const ImageRecord& image, bool mirrored)
{
    const double parts[2][2] = {{0.08, 0.46}, {0.54, 0.92}};
    int error = 0;
    for (int sx = 0; sx < 2; ++sx) {
        for (int ty = 0; ty < 2; ++ty) {
            const double* s = parts[mirrored ? 1 - sx : sx];
            Rgb screen = ScreenPart(frame, face, parts[sx][0], parts[ty][0], parts[sx][1], parts[ty][1]);
            Rgb picture = ImagePart(image, s[0], parts[ty][0], s[1], parts[ty][1]);
            error += Distance(screen, picture);
        }
    }
    return error;
}

// How much the left and right halves of a picture differ: a mirror shows only if they do.
int Asymmetry(const ImageRecord& image)
{
    return Distance(ImagePart(image, 0.08, 0.08, 0.46, 0.46), ImagePart(image, 0.54, 0.08, 0.92, 0.46)) +
           Distance(ImagePart(image, 0.08, 0.54, 0.46, 0.92), ImagePart(image, 0.54, 0.54, 0.92, 0.92));
}

void TurnAllBlocks(float angle)
{
    for (Block& block : game.blocks) {
        block.angle = angle;
        block.animating = angle != 0.0f;
    }
}

// Dealing gives pair r the face list r + 2, and list n shows picture 1 + (n - 1) mod 8.
int PictureOfBlock(int block)
{
    return 1 + (game.blocks[block].pair + 1) % kPairCount;
}

struct ImageHolder {
    explicit ImageHolder(int texture) : image(LoadImageFile(textureFiles[texture])) {}
    ~ImageHolder() { FreeImageRecord(image); }
    ImageRecord* image;
};

bool IsDark(const Rgb& pixel)
{
    return pixel.r < 50 && pixel.g < 50 && pixel.b < 50;
}

// Pixels that differ between two frames, and the box around them.
struct Difference {
    int count = 0;
    int darkInFirst = 0;
    Rect box{kWindowWidth, kWindowHeight, -1, -1};
};
Difference Compare(const Frame& a, const Frame& b)
{
    Difference difference;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            Rgb pa = a.At(x, y), pb = b.At(x, y);
            if (pa.r == pb.r && pa.g == pb.g && pa.b == pb.b)
                continue;
            ++difference.count;
            difference.darkInFirst += IsDark(pa);
            difference.box = {std::min(difference.box.x0, x), std::min(difference.box.y0, y),
                              std::max(difference.box.x1, x + 1), std::max(difference.box.y1, y + 1)};
        }
    }
    return difference;
}

bool Inside(const Rect& inner, const Rect& outer)
{
    return inner.x0 >= outer.x0 && inner.y0 >= outer.y0 && inner.x1 <= outer.x1 && inner.y1 <= outer.y1;
}

// Where glyphs printed at a raster position may fall: up to a cap height above the
// baseline, a descender below, and a given width to the right.
Rect TextArea(double x, double y, int width)
{
    WindowPoint origin = ProjectToWindow(x, y, -10);
    int ox = static_cast<int>(origin.x), oy = static_cast<int>(origin.y);
    return {ox - 2, oy - 14, ox + width, oy + 5};
}

}  // namespace

TEST_F(GlTest, AFaceDownBlockShowsTheBackAndAFaceUpBlockItsPictureUnmirrored)
{
    ImageHolder back(0);
    ASSERT_NE(back.image, nullptr);
    Frame faceDown = DrawAndRead();
    for (int block : {0, 5, 10, 15})
        EXPECT_LT(FaceError(faceDown, FaceRect(block), *back.image, false), 60) << "back of block " << block;

    TurnAllBlocks(180);
    Frame faceUp = DrawAndRead();
    int mostAsymmetric = -1, bestAsymmetry = -1;
    for (int block = 0; block < kBlockCount; ++block) {
        ImageHolder picture(PictureOfBlock(block));
        ASSERT_NE(picture.image, nullptr);
        EXPECT_LT(FaceError(faceUp, FaceRect(block), *picture.image, false), 60) << "picture of block " << block;
        if (Asymmetry(*picture.image) > bestAsymmetry) {
            bestAsymmetry = Asymmetry(*picture.image);
            mostAsymmetric = block;
        }
    }
    ASSERT_GT(bestAsymmetry, 60) << "every picture is left-right symmetric; a mirror would not show";
    ImageHolder picture(PictureOfBlock(mostAsymmetric));
    Rect face = FaceRect(mostAsymmetric);
    EXPECT_LT(FaceError(faceUp, face, *picture.image, false), FaceError(faceUp, face, *picture.image, true) / 2);
}

TEST_F(GlTest, TheTwoBlocksOfAPairLookAlikeAndDifferentPairsDiffer)
{
    TurnAllBlocks(180);
    Frame frame = DrawAndRead();
    // A 3 x 3 grid of means per block as its fingerprint.
    std::vector<std::vector<Rgb>> prints(kBlockCount);
    for (int block = 0; block < kBlockCount; ++block) {
        Rect face = FaceRect(block);
        for (int gx = 0; gx < 3; ++gx)
            for (int gy = 0; gy < 3; ++gy)
                prints[block].push_back(ScreenPart(frame, face, 0.05 + gx * 0.3, 0.05 + gy * 0.3,
                                                   0.35 + gx * 0.3, 0.35 + gy * 0.3));
    }
    auto distance = [&](int a, int b) {
        int sum = 0;
        for (size_t i = 0; i < prints[a].size(); ++i)
            sum += Distance(prints[a][i], prints[b][i]);
        return sum;
    };
    int worstSame = 0, closestDifferent = 1 << 30;
    for (int a = 0; a < kBlockCount; ++a) {
        for (int b = a + 1; b < kBlockCount; ++b) {
            if (game.blocks[a].pair == game.blocks[b].pair)
                worstSame = std::max(worstSame, distance(a, b));
            else
                closestDifferent = std::min(closestDifferent, distance(a, b));
        }
    }
    // Measured: the same picture at another place differs by about 1 per channel and cell.
    EXPECT_LE(worstSame, 9 * 3 * 3) << "the two blocks of a pair should look the same";
    EXPECT_GT(closestDifferent, 4 * worstSame + 60) << "different pairs should look different";
}

TEST_F(GlTest, TranslucentBlocksChangeTheBoardAndNothingElse)
{
    TurnAllBlocks(180);
    game.blocks[3].angle = 60;
    game.blocks[3].animating = false;  // held mid-turn, so every frame draws the same board
    DrawAndRead();  // the first frame also sets the frame-rate text
    Frame opaque = DrawAndRead();
    game.blendBlocks = true;
    Frame translucent = DrawAndRead();

    Rect board{kWindowWidth, kWindowHeight, 0, 0};
    for (int block = 0; block < kBlockCount; ++block) {
        for (double x : {-3.0, 3.0})
            for (double y : {-3.0, 3.0})
                for (double z : {-0.5, 0.5}) {
                    WindowPoint corner = ProjectOnBlock(block, game.blocks[block].angle, x, y, z);
                    board = {std::min(board.x0, static_cast<int>(corner.x) - 2),
                             std::min(board.y0, static_cast<int>(corner.y) - 2),
                             std::max(board.x1, static_cast<int>(corner.x) + 3),
                             std::max(board.y1, static_cast<int>(corner.y) + 3)};
                }
    }
    Difference difference = Compare(opaque, translucent);
    EXPECT_GT(difference.count, (board.x1 - board.x0) * (board.y1 - board.y0) / 4);
    EXPECT_TRUE(Inside(difference.box, board)) << "changes reach outside the board";

    game.blendBlocks = false;
    Frame again = DrawAndRead();
    EXPECT_EQ(Compare(opaque, again).count, 0) << "switching back restores the opaque board";
}

TEST_F(GlTest, BannersFadeInOverTwentyFrames)
{
    struct Banner {
        const char* what;
        double x;
        float* alpha;
    };
    for (const Banner& banner : {Banner{"paused", -4.1, &game.pausedAlpha}, Banner{"game over", -4.5, &game.gameOverAlpha}}) {
        ResetPlayKeepingResources();
        DrawAndRead();
        Frame plain = DrawAndRead();
        game.paused = true;
        game.gameOver = banner.alpha == &game.gameOverAlpha;
        game.finalRank = -1;
        WindowPoint lowLeft = ProjectToWindow(banner.x - 7.0, -1.3, -49.45);
        WindowPoint upRight = ProjectToWindow(banner.x + 7.0, 1.3, -49.45);
        auto brightness = [&](const Frame& frame) {
            Rgb mean = frame.Mean(static_cast<int>(lowLeft.x), static_cast<int>(upRight.y),
                                  static_cast<int>(upRight.x), static_cast<int>(lowLeft.y));
            return mean.r + mean.g + mean.b;
        };
        std::vector<int> levels;
        for (int i = 0; i < 24; ++i) {
            EXPECT_FLOAT_EQ(*banner.alpha, std::min(1.0f, 0.05f * i)) << banner.what << " frame " << i;
            levels.push_back(brightness(DrawAndRead()));
        }
        EXPECT_EQ(levels[0], brightness(plain)) << banner.what << " starts invisible";
        for (int i = 1; i <= 20; ++i)
            EXPECT_GT(levels[i], levels[i - 1]) << banner.what << " frame " << i;
        for (int i = 21; i < 24; ++i)
            EXPECT_EQ(levels[i], levels[20]) << banner.what << " stays at full strength";
        EXPECT_GT(levels[20], levels[0] + 30) << banner.what << " shows clearly";
    }
    // Game over outranks the pause: only its banner rises.
    EXPECT_EQ(game.pausedAlpha, 0.0f);
}

TEST_F(GlTest, TheFrameRateTextIsDrawnAtItsRasterPosition)
{
    Frame withText = DrawAndRead();
    ASSERT_STREQ(game.fpsText, "FPS: 1");
    std::strcpy(game.fpsText, "FPS: 60");
    withText = DrawAndRead();
    game.fpsText[0] = '\0';
    Frame without = DrawAndRead();
    Difference difference = Compare(withText, without);
    EXPECT_GT(difference.darkInFirst, 30);
    EXPECT_EQ(difference.darkInFirst, difference.count) << "the text is black";
    EXPECT_TRUE(Inside(difference.box, TextArea(-4, 2.55, 70)));
}

TEST_F(GlTest, ScoreListNamesAndValuesAreDrawnAtTheirRows)
{
    for (int i = 0; i < 5; ++i)
        game.scoreValues[5 + i] = 0;
    Frame empty = DrawAndRead();
    std::strcpy(game.scoreNames[7], "WMWMW");
    game.scoreValues[7] = 1234;
    Frame filled = DrawAndRead();
    Difference difference = Compare(filled, empty);
    EXPECT_GT(difference.darkInFirst, 40);
    // Row 3 of the list: y = -1 - 0.15 * 2, the name after "3. ", the score at 3.53.
    Rect row = TextArea(2.45, -1.3, 0);
    row.x1 = static_cast<int>(ProjectToWindow(3.53, -1.3, -10).x) + 40;
    EXPECT_TRUE(Inside(difference.box, row));
}

TEST_F(GlTest, BytesWithoutAGlyphDrawNothing)
{
    std::strcpy(game.scoreNames[5], "Ann");
    Frame plain = DrawAndRead();
    const char damaged[] = {'\x01', 'A', '\xC8', 'n', '\x1F', '\xFF', 'n', '\x80', '\0'};
    std::memcpy(game.scoreNames[5], damaged, sizeof damaged);
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
    for (int line = 0; line < kHelpLineCount; ++line) {
        Rect row = TextArea(2.35, -0.2 - 0.15 * line, 200);
        row.y0 += 4;  // keep clear of the line above
        int dark = 0;
        for (int y = row.y0; y < row.y1; ++y)
            for (int x = row.x0; x < row.x1; ++x)
                dark += IsDark(help.At(x, y));
        bool blank = std::string(helpLines[line]).find_first_not_of(' ') == std::string::npos;
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
    Rect lines = TextArea(2.45, 0, 200);
    lines.y1 = TextArea(2.45, -0.3, 0).y1;
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
    ASSERT_TRUE(BuildGlyphListsFrom(slanted, lists));
    unsigned int gameFont = game.textFont;

    Ink straight = InkOf("I", 0, 0);
    game.textFont = lists;
    Ink leaning = InkOf("I", 0, 0);
    game.textFont = gameFont;
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
    EXPECT_FALSE(BuildGlyphListsFrom(missing, lists));
    EXPECT_FALSE(BuildGlyphListsFrom(FontChoice{}, lists));
    std::string said = testing::internal::GetCapturedStderr();
    // Text is built again at every size change: the same warning is not repeated.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(BuildGlyphListsFrom(FontChoice{}, lists));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    glDeleteLists(lists, kGlyphCount);
    EXPECT_NE(said.find("warning: no glyphs could be made from the font "
                        "/nonexistent/NoSuchFont.ttf"), std::string::npos) << said;
    EXPECT_NE(said.find("found no font (tried \"Verdana\" bold, then \"DejaVu Sans\" bold)"),
              std::string::npos) << said;
}

TEST_F(GlTest, FreeFontsDeletesTheListsAndIsHarmlessWithoutAContext)
{
    unsigned int upright = game.textFont, italic = game.italicFont;
    ASSERT_TRUE(glIsList(upright) && glIsList(italic + kGlyphCount - 1));
    FreeFonts();
    EXPECT_FALSE(glIsList(upright));
    EXPECT_FALSE(glIsList(italic + kGlyphCount - 1));
    EXPECT_EQ(game.textFont, 0u);
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
    unsigned int rebuiltUpright = game.textFont, rebuiltItalic = game.italicFont;
    FreeFonts();  // the context is not current: nothing to delete through
    EXPECT_EQ(game.textFont, 0u);
    ASSERT_EQ(SDL_GL_MakeCurrent(window, context), 0);
    EXPECT_TRUE(glIsList(rebuiltUpright)) << "nothing was deleted without the context";
    glDeleteLists(rebuiltUpright, kGlyphCount);
    glDeleteLists(rebuiltItalic, kGlyphCount);
    BuildTextFonts();
}
