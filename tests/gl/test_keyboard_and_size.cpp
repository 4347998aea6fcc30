// The keyboard highlight as drawn, and text that grows with the window: a frame at twice
// the size carries text twice the size in the same places of the scene; in every language
// the texts stay on the panel at every size.
#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "game/game_state.h"
#include "game/rules.h"
#include "game/scene_layout.h"
#include "game/score_table.h"
#include "game/text_layout.h"
#include "lang/translate.h"
#include "platform/null/null_platform.h"
#include "platform/offscreen.h"
#include "app/shell.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"

namespace {

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // [x0, x1) x [y0, y1), y from the top
    int count = 0;
    void Add(int x, int y)
    {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x + 1);
        y1 = std::max(y1, y + 1);
        ++count;
    }
};

// The differing pixels of two frames inside [left, right) x [top, bottom).
Box Differences(const Frame& a, const Frame& b, int left, int top, int right, int bottom)
{
    Box box;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            Rgb pa = a.At(x, y), pb = b.At(x, y);
            if (pa.r != pb.r || pa.g != pb.g || pa.b != pb.b)
                box.Add(x, y);
        }
    return box;
}

bool IsHighlight(const Rgb& pixel)
{
    return pixel.r > 230 && pixel.g > 190 && pixel.g < 235 && pixel.b < 40;
}

// The ring must show on every side of the item, at its projected edge.
void ExpectRingAround(const Frame& frame, WindowPoint topLeft, WindowPoint bottomRight, const char* what)
{
    int midX = static_cast<int>((topLeft.x + bottomRight.x) / 2);
    int midY = static_cast<int>((topLeft.y + bottomRight.y) / 2);
    EXPECT_TRUE(IsHighlight(frame.At(static_cast<int>(topLeft.x), midY))) << what << ": left side";
    EXPECT_TRUE(IsHighlight(frame.At(static_cast<int>(bottomRight.x) - 1, midY))) << what << ": right side";
    EXPECT_TRUE(IsHighlight(frame.At(midX, static_cast<int>(topLeft.y)))) << what << ": top";
    EXPECT_TRUE(IsHighlight(frame.At(midX, static_cast<int>(bottomRight.y) - 1))) << what << ": bottom";
}

void Arrows(std::initializer_list<Arrow> arrows)
{
    for (Arrow arrow : arrows)
        MoveHighlight(arrow);
}

}  // namespace

TEST_F(GlTest, TheHighlightRingsBlocksAndButtonsAndNothingElse)
{
    for (Block& block : game.blocks) {
        block.angle = 180;  // every picture face up, held there
        block.animating = false;
    }
    game.blocks[5].angle = 0;  // one face down
    DrawAndRead();
    Frame plain = DrawAndRead();

    struct Case {
        const char* what;
        std::initializer_list<Arrow> arrows;
        int32_t name;
        bool translucent;
    };
    const Case cases[] = {
        {"face-down block", {Arrow::Down, Arrow::Down, Arrow::Right}, kNameFirstBlock + 5, false},
        {"face-up picture", {Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Right, Arrow::Right}, kNameFirstBlock + 10, false},
        {"translucent block", {Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Right, Arrow::Right}, kNameFirstBlock + 10, true},
        {"Sound button", {Arrow::Left, Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Down, Arrow::Down}, kNameSound, false},
        {"Exit button", {Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Right, Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Down, Arrow::Down}, kNameExit, false},
    };
    for (const Case& c : cases) {
        HideHighlight();
        game.blendBlocks = c.translucent;
        Frame without = DrawAndRead();
        Arrows(c.arrows);
        ASSERT_EQ(keyboardHighlight.name, c.name) << c.what;
        Frame with = DrawAndRead();
        WindowPoint topLeft, bottomRight;
        if (c.name < kNameNew) {
            // A line within the ring, which runs from 0.1 inside the block's edge to 0.2 outside.
            const float* centre = blockPositions[c.name - kNameFirstBlock];
            const double half = kBlockHalf + 0.15, front = centre[2] + kBlockHalfDepth;
            topLeft = ProjectToWindow(centre[0] - half, centre[1] + half, front);
            bottomRight = ProjectToWindow(centre[0] + half, centre[1] - half, front);
        } else {
            const ButtonPlace& place = buttonPlaces[c.name - kNameNew];
            topLeft = ProjectToWindow(place.x - place.halfWidth, place.y + place.halfHeight, place.z);
            bottomRight = ProjectToWindow(place.x + place.halfWidth, place.y - place.halfHeight, place.z);
        }
        ExpectRingAround(with, topLeft, bottomRight, c.what);
        // Only a thin ring changes: none of the item's middle, nothing farther than a few
        // pixels from its edge.
        Box changed = Differences(with, without, 0, 0, kWindowWidth, kWindowHeight);
        EXPECT_GE(changed.x0, static_cast<int>(topLeft.x) - 8) << c.what;
        EXPECT_LE(changed.x1, static_cast<int>(bottomRight.x) + 8) << c.what;
        EXPECT_GE(changed.y0, static_cast<int>(topLeft.y) - 8) << c.what;
        EXPECT_LE(changed.y1, static_cast<int>(bottomRight.y) + 8) << c.what;
        int midX = static_cast<int>((topLeft.x + bottomRight.x) / 2);
        int midY = static_cast<int>((topLeft.y + bottomRight.y) / 2);
        EXPECT_EQ(Differences(with, without, midX - 10, midY - 4, midX + 10, midY + 4).count, 0) << c.what;

        // Hidden again by a click, the frame is the one without it.
        HideHighlight();
        EXPECT_EQ(Differences(DrawAndRead(), without, 0, 0, kWindowWidth, kWindowHeight).count, 0) << c.what;
    }
    game.blendBlocks = false;
    EXPECT_EQ(Differences(DrawAndRead(), plain, 0, 0, kWindowWidth, kWindowHeight).count, 0);
}

TEST_F(GlTest, TextRebuiltAtTheOpeningSizeIsTheSameBitmaps)
{
    DrawAndRead();
    Frame before = DrawAndRead();
    ASSERT_EQ(TextPixels(), 12);
    SetTextPixels(24);
    Frame large = DrawAndRead();
    EXPECT_GT(Differences(large, before, 0, 0, kWindowWidth, kWindowHeight).count, 500);
    SetTextPixels(TextPixelsForSize(kWindowWidth, kWindowHeight));
    EXPECT_EQ(TextPixels(), 12);
    Frame again = DrawAndRead();
    EXPECT_EQ(Differences(again, before, 0, 0, kWindowWidth, kWindowHeight).count, 0);
}

namespace {

// A frame of any size: drawn into a hidden window of that size with the game's context.
struct SizedFrame {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // RGB, top row first
    bool Dark(int x, int y) const
    {
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        return p[0] < 60 && p[1] < 60 && p[2] < 60;
    }
};

SizedFrame DrawAtSize(int width, int height, bool withText)
{
    SizedFrame frame{width, height, {}};
    unsigned int upright = renderResources.textFont, italic = renderResources.italicFont;
    if (!withText)
        renderResources.textFont = renderResources.italicFont = 0;  // printing then draws nothing
    ResizeView(width, height);
    DrawFrame(AdvancePass(fakeTicks));
    glFinish();
    frame.pixels = ReadBackBuffer(width, height);
    renderResources.textFont = upright;
    renderResources.italicFont = italic;
    return frame;
}

// The dark pixels the text adds inside a part of the frame given in fractions of it.
Box TextBox(const SizedFrame& with, const SizedFrame& without, double left, double top, double right,
            double bottom)
{
    Box box;
    for (int y = static_cast<int>(top * with.height); y < static_cast<int>(bottom * with.height); ++y)
        for (int x = static_cast<int>(left * with.width); x < static_cast<int>(right * with.width); ++x)
            if (with.Dark(x, y) && !without.Dark(x, y))
                box.Add(x, y);
    return box;
}

}  // namespace

TEST_F(GlTest, TextTwiceTheSizeAtTwiceTheWindowInTheSamePlaces)
{
    SDL_Window* normal = SDL_GL_GetCurrentWindow();
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    SDL_Window* big = SDL_CreateWindow("gl_tests 2x", 0, 0, 2 * kWindowWidth, 2 * kWindowHeight,
                                       SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(big, nullptr) << SDL_GetError();
    for (int i = 0; i < kScoreSlots; ++i)
        std::snprintf(saved.scoreNames[i], kScoreNameSize, "player%d", i);
    DrawAtSize(kWindowWidth, kWindowHeight, true);  // the frame-rate text gets its figure

    SizedFrame small = DrawAtSize(kWindowWidth, kWindowHeight, true);
    SizedFrame smallBare = DrawAtSize(kWindowWidth, kWindowHeight, false);
    ASSERT_EQ(SDL_GL_MakeCurrent(big, context), 0) << SDL_GetError();
    SetTextPixels(TextPixelsForSize(2 * kWindowWidth, 2 * kWindowHeight));
    EXPECT_EQ(TextPixels(), 24);
    SizedFrame large = DrawAtSize(2 * kWindowWidth, 2 * kWindowHeight, true);
    SizedFrame largeBare = DrawAtSize(2 * kWindowWidth, 2 * kWindowHeight, false);
    SetTextPixels(12);
    ASSERT_EQ(SDL_GL_MakeCurrent(normal, context), 0);
    ResizeView(kWindowWidth, kWindowHeight);
    SDL_DestroyWindow(big);

    // The frame-rate text at the top left, the clock, the score list: each box at twice
    // the size starts where the small one does, scaled, and is twice as tall and wide to
    // a few pixels of hinting.
    struct Part {
        const char* what;
        double left, top, right, bottom;
    };
    for (const Part& part : {Part{"frame rate", 0, 0, 0.15, 0.06}, Part{"clock", 0.85, 0.38, 1, 0.46},
                             Part{"score list", 0.79, 0.55, 1, 0.92}}) {
        Box a = TextBox(small, smallBare, part.left, part.top, part.right, part.bottom);
        Box b = TextBox(large, largeBare, part.left, part.top, part.right, part.bottom);
        ASSERT_GT(a.count, 20) << part.what;
        EXPECT_NEAR(b.x0, 2 * a.x0, 4) << part.what;
        EXPECT_NEAR(b.y0, 2 * a.y0, 4) << part.what;
        // Advances are whole pixels at either size, so a long line ends a little short.
        EXPECT_NEAR(b.x1 - b.x0, 2 * (a.x1 - a.x0), 0.06 * 2 * (a.x1 - a.x0)) << part.what;
        EXPECT_NEAR(b.y1, 2 * a.y1, 4) << part.what;
        // Twice the size means about four times the ink.
        EXPECT_GT(b.count, 3 * a.count) << part.what;
        EXPECT_LT(b.count, 5 * a.count) << part.what;
    }
}

namespace {

// Where a flat piece of the scene lies in the window, inset by fractions of its size.
Box PieceBox(Piece piece, double insetX, double insetY)
{
    const ScenePiece& at = PieceOf(piece);
    double depth = at.z + at.faceZ;
    double halfWidth = at.halfWidth * (1 - 2 * insetX), halfHeight = at.halfHeight * (1 - 2 * insetY);
    WindowPoint a = ProjectToWindow(at.x - halfWidth, at.y + halfHeight, depth);
    WindowPoint b = ProjectToWindow(at.x + halfWidth, at.y - halfHeight, depth);
    Box box;
    box.Add(static_cast<int>(std::ceil(a.x)), static_cast<int>(std::ceil(a.y)));
    box.Add(static_cast<int>(b.x) - 1, static_cast<int>(b.y) - 1);
    return box;
}

bool InBox(const Box& box, int x, int y)
{
    return x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
}

class TranslatedText : public GlTest, public testing::WithParamInterface<std::string> {
protected:
    void TearDown() override
    {
        std::string error;
        UseLanguage("", {}, &error);
        RebuildTextFonts();
        SetTextPixels(TextPixelsForSize(kWindowWidth, kWindowHeight));
        ResizeView(kWindowWidth, kWindowHeight);
    }
};

}  // namespace

// Each language's texts stay on the panel, at the window's opening size and at the
// smallest: the score list and the help on the score board's sheet, the end-of-game lines
// on the panel between the clock and the sheet, "Your Score" clear of the score after it.
TEST_P(TranslatedText, StaysOnThePanelAtEverySize)
{
    std::string error;
    ASSERT_TRUE(UseLanguage(GetParam(), {LocaleBuildDir()}, &error)) << error;
    RebuildTextFonts();
    std::string help = Translate(kHelpText);
    ASSERT_LE(std::count(help.begin(), help.end(), '\n') + 1, static_cast<long>(kMaxHelpLines));
    const char* names[kTableSize] = {"mira", "tomas", "ana", "jun", "lea"};
    for (int i = 0; i < kTableSize; ++i) {
        std::strcpy(saved.scoreNames[kTableSize + i], names[i]);
        saved.scoreValues[kTableSize + i] = 1508 - 300 * i;
    }
    struct State {
        const char* what;
        bool help, over;
        int32_t rank;
    };
    const State states[] = {{"scores", false, false, -1}, {"help", true, false, -1},
                            {"placed", false, true, kTableSize}, {"not placed", false, true, -1}};
    for (auto [width, height] : {std::pair{kWindowWidth, kWindowHeight},
                                 std::pair{kSmallestClientWidth, kSmallestClientHeight}}) {
        SetTextPixels(TextPixelsForSize(width, height));
        ResizeView(width, height);
        Box sheet = PieceBox(Piece::ScoreBoard, 0.02, 0.04);
        Box clock = PieceBox(Piece::ClockLabel, 0, 0);
        Box between = PieceBox(Piece::MenuPanel, 0.05, 0);
        between.y0 = clock.y1;
        between.y1 = sheet.y0;
        // Not a pixel of "Your Score" may reach the column where the score starts.
        float scoreStart = static_cast<float>(ProjectToWindow(kWideScoreColumnX, 0, kTextZ).x);
        float nameStart = static_cast<float>(ProjectToWindow(kNameLine.x, 0, kTextZ).x);
        EXPECT_LT(nameStart + TextWidth(Translate("Your Score")), scoreStart - 2) << width;
        for (const State& state : states) {
            SCOPED_TRACE(std::string(state.what) + " at " + std::to_string(width));
            game.helpShown = state.help;
            game.gameOver = state.over;
            game.gameOverAlpha = 1.0f;
            game.finalRank = state.rank;
            game.finalScore = 1508;
            std::strcpy(game.nameBuffer, "MIRA");
            SizedFrame with = DrawAtSize(width, height, true);
            SizedFrame without = DrawAtSize(width, height, false);
            int text = 0, astray = 0;
            Box strayBox;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    if (!with.Dark(x, y) || without.Dark(x, y) || (x < width / 6 && y < height / 16))
                        continue;  // not text, or the frame-rate figure in its corner
                    ++text;
                    if (!InBox(sheet, x, y) && !InBox(clock, x, y) && !InBox(between, x, y)) {
                        ++astray;
                        strayBox.Add(x, y);
                    }
                }
            EXPECT_GT(text, 200);
            EXPECT_EQ(astray, 0) << "text off the panel from (" << strayBox.x0 << ", " << strayBox.y0
                                 << ") to (" << strayBox.x1 << ", " << strayBox.y1 << ")";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslatedText, testing::ValuesIn(TranslatedLanguages()),
                         [](const testing::TestParamInfo<std::string>& language) { return language.param; });
