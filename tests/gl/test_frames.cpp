// Whole frames read back from the GL: what the blocks show, translucency and banners.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "game/game_state.h"
#include "game/scene_layout.h"
#include "platform/image.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"

namespace {

// The block's picture side (angle 180) or back (angle 0): both lie 0.5 nearer the viewer.
Rect FaceRect(int block)
{
    WindowPoint lowLeft = ProjectOnBlock(block, 0, -kBlockHalf, -kBlockHalf, kBlockHalfDepth);
    WindowPoint upRight = ProjectOnBlock(block, 0, kBlockHalf, kBlockHalf, kBlockHalfDepth);
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
    explicit ImageHolder(int texture) : image(LoadImageFile(ImagePath(texture).c_str())) {}
    ~ImageHolder() { FreeImageRecord(image); }
    ImageRecord* image;
};

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
        for (double x : {-kBlockHalf, kBlockHalf})
            for (double y : {-kBlockHalf, kBlockHalf})
                for (double z : {-kBlockHalfDepth, kBlockHalfDepth}) {
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
        const ScenePiece& piece;
        float* alpha;
    };
    for (const Banner& banner : {Banner{"paused", PieceOf(Piece::PausedBanner), &game.pausedAlpha},
                                 Banner{"game over", PieceOf(Piece::GameOverBanner), &game.gameOverAlpha}}) {
        ResetPlayKeepingResources();
        DrawAndRead();
        Frame plain = DrawAndRead();
        game.paused = true;
        game.gameOver = banner.alpha == &game.gameOverAlpha;
        game.finalRank = -1;
        // The banner's quad, inside its edges by a little.
        const ScenePiece& quad = banner.piece;
        WindowPoint lowLeft =
            ProjectToWindow(quad.x - quad.halfWidth + 0.5, quad.y - quad.halfHeight + 0.2, quad.z);
        WindowPoint upRight =
            ProjectToWindow(quad.x + quad.halfWidth - 0.5, quad.y + quad.halfHeight - 0.2, quad.z);
        auto brightness = [&](const Frame& frame) {
            Rgb mean = frame.Mean(static_cast<int>(lowLeft.x), static_cast<int>(upRight.y),
                                  static_cast<int>(upRight.x), static_cast<int>(lowLeft.y));
            return mean.r + mean.g + mean.b;
        };
        std::vector<int> levels;
        for (int i = 0; i < 24; ++i) {
            EXPECT_FLOAT_EQ(*banner.alpha, std::min(1.0f, 0.05f * static_cast<float>(i))) << banner.what << " frame " << i;
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
