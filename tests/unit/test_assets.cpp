// The committed data folder: every image the game loads is a 24-bit bottom-up BMP shaped like
// its quad, the places where black text is printed stay light, the banners are bright on black
// (they are added to the board), the pictures differ, and the click is a short soft PCM clip.
// The files are read here byte by byte, without SDL, so a broken file fails with its name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "game/assets.h"
#include "game/game_state.h"
#include "game/scene_layout.h"

namespace {

const std::string dataFolder = std::string(FLIPORA_SOURCE_DIR) + "/data/";

struct ImageQuad {
    const char* file;
    double quadWidth, quadHeight;  // scene units of the quad the image covers
};

// From the scene layout: textures 0..8 cover a block's side, the rest one piece each.
ImageQuad QuadOf(int texture)
{
    if (texture <= kPairCount)
        return {kImageFiles[texture], 2 * kBlockHalf, 2 * kBlockHalf};
    for (const ScenePiece& piece : kScenePieces) {
        if (piece.texture == texture)
            return {kImageFiles[texture], 2 * piece.halfWidth, 2 * piece.halfHeight};
    }
    ADD_FAILURE() << "no piece of the scene shows texture " << texture;
    return {kImageFiles[texture], 1, 1};
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U16(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8);
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return U16(b, at) | (U16(b, at + 2) << 16);
}

// Pixels as the game's loader hands them to GL: packed RGB rows, bottom row first.
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    std::string error;  // empty when the file is what the game expects

    const uint8_t* At(int x, int yFromTop) const
    {
        return &rgb[(size_t(height - 1 - yFromTop) * width + x) * 3];
    }
};

Image ReadBmp(const std::string& file)
{
    Image image;
    std::vector<uint8_t> b = ReadFile(dataFolder + file);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        image.error = "missing or not a BMP";
        return image;
    }
    uint32_t offset = U32(b, 10), headerSize = U32(b, 14);
    int32_t width = int32_t(U32(b, 18)), height = int32_t(U32(b, 22));
    if (headerSize < 40 || offset < 14 + headerSize || U16(b, 26) != 1 || U16(b, 28) != 24 ||
        U32(b, 30) != 0) {
        image.error = "not an uncompressed 24-bit BMP with an info header";
        return image;
    }
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        image.error = "size out of range or rows stored top-down";
        return image;
    }
    size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    if (b.size() < offset + stride * size_t(height)) {
        image.error = "pixel rows cut short";
        return image;
    }
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &b[offset + size_t(y) * stride + size_t(x) * 3];
            image.rgb.insert(image.rgb.end(), {p[2], p[1], p[0]});
        }
    }
    return image;
}

double Luminance(const uint8_t* p)
{
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

// The darkest pixel in a region given in fractions of the image (0 = left or top).
double DarkestIn(const Image& image, double left, double top, double right, double bottom)
{
    double darkest = 255;
    for (int y = int(top * image.height); y < int(bottom * image.height); ++y)
        for (int x = int(left * image.width); x < int(right * image.width); ++x)
            darkest = std::min(darkest, Luminance(image.At(x, y)));
    return darkest;
}

struct Colour {
    double r = 0, g = 0, b = 0;
    int count = 0;
};

// Mean of the clearly coloured pixels inside the card's frame: the picture's own colour,
// ignoring the light card it sits on.
Colour DominantColour(const Image& image)
{
    Colour sum;
    for (int y = image.height / 8; y < image.height * 7 / 8; ++y) {
        for (int x = image.width / 8; x < image.width * 7 / 8; ++x) {
            const uint8_t* p = image.At(x, y);
            int hi = std::max({p[0], p[1], p[2]}), lo = std::min({p[0], p[1], p[2]});
            if (hi - lo < 64)
                continue;
            sum.r += p[0];
            sum.g += p[1];
            sum.b += p[2];
            ++sum.count;
        }
    }
    if (sum.count > 0) {
        sum.r /= sum.count;
        sum.g /= sum.count;
        sum.b /= sum.count;
    }
    return sum;
}

// The table is the data folder: a file beside it would never be installed, a name in it
// without its file stops the game. Only the player's score file may sit there too.
TEST(Assets, TheAssetTableNamesExactlyTheDataFolder)
{
    std::set<std::string> table(std::begin(kImageFiles), std::end(kImageFiles));
    EXPECT_EQ(table.size(), std::size(kImageFiles)) << "a name is listed twice";
    EXPECT_EQ(kTextureCount, 25);
    table.insert(kClickSoundFile);
    std::set<std::string> folder;
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder)) {
        std::string name = entry.path().filename().string();
        if (name != "Scores.txt")
            folder.insert(name);
    }
    EXPECT_EQ(folder, table);
}

TEST(Assets, EveryImageIsA24BitBmpShapedLikeItsQuad)
{
    for (int texture = 0; texture < kTextureCount; ++texture) {
        ImageQuad quad = QuadOf(texture);
        SCOPED_TRACE(quad.file);
        Image image = ReadBmp(quad.file);
        ASSERT_EQ(image.error, "");
        EXPECT_EQ(image.width % 4, 0) << "rows must need no padding";
        double aspect = double(image.width) / image.height;
        double quadAspect = quad.quadWidth / quad.quadHeight;
        EXPECT_NEAR(aspect / quadAspect, 1.0, 0.03) << image.width << " x " << image.height;
        EXPECT_GE(image.height, 32);
    }
}

TEST(Assets, PlacesUnderBlackTextAreLight)
{
    struct Region {
        const char* file;
        double left, top, right, bottom;
    };
    // Where the score list, help text, end-of-game lines, clock digits and typed name fall.
    const Region regions[] = {
        {"ScoreBoard.bmp", 0.04, 0.05, 0.96, 0.95},
        {"Timer.bmp", 0.17, 0.30, 0.92, 0.70},
        {"Blinker.bmp", 0.05, 0.25, 0.95, 0.75},
        {"meni.bmp", 0.08, 0.49, 0.83, 0.57},
    };
    for (const Region& r : regions) {
        SCOPED_TRACE(r.file);
        Image image = ReadBmp(r.file);
        ASSERT_EQ(image.error, "");
        EXPECT_GE(DarkestIn(image, r.left, r.top, r.right, r.bottom), 170.0);
    }
}

TEST(Assets, BannersAreBrightTextOnPureBlack)
{
    for (const char* file : {"GameOver.bmp", "Paused.bmp"}) {
        SCOPED_TRACE(file);
        Image image = ReadBmp(file);
        ASSERT_EQ(image.error, "");
        int black = 0, bright = 0;
        for (size_t i = 0; i < image.rgb.size(); i += 3) {
            double l = Luminance(&image.rgb[i]);
            black += l == 0;
            bright += l > 200;
        }
        int pixels = image.width * image.height;
        // Added to the board, anything but black would tint the whole strip.
        EXPECT_GT(black, pixels / 3);
        EXPECT_GT(bright, pixels / 20) << "the word must stand out";
        int litEdge = 0;
        for (int x = 0; x < image.width; ++x) {
            bool top = Luminance(image.At(x, 0)) > 0;
            bool bottom = Luminance(image.At(x, image.height - 1)) > 0;
            litEdge += top || bottom;
        }
        EXPECT_EQ(litEdge, 0) << "the strip's edges would show as a frame on the board";
    }
}

TEST(Assets, EightPicturesHaveDistinctColours)
{
    Colour colours[8];
    for (int i = 0; i < 8; ++i) {
        std::string file = "ex" + std::to_string(i + 1) + ".bmp";
        SCOPED_TRACE(file);
        Image image = ReadBmp(file);
        ASSERT_EQ(image.error, "");
        colours[i] = DominantColour(image);
        int inner = (image.width * 3 / 4) * (image.height * 3 / 4);
        EXPECT_GT(colours[i].count, inner / 10) << "too little colour to tell it apart";
    }
    for (int i = 0; i < 8; ++i) {
        for (int j = i + 1; j < 8; ++j) {
            double d = std::hypot(colours[i].r - colours[j].r, colours[i].g - colours[j].g,
                                  colours[i].b - colours[j].b);
            EXPECT_GT(d, 40.0) << "ex" << i + 1 << " and ex" << j + 1 << " look alike";
        }
    }
}

// Finds a RIFF chunk by its tag; false when the file ends first or a length overruns it.
bool FindChunk(const std::vector<uint8_t>& b, const char* tag, size_t& at, uint32_t& size)
{
    size_t pos = 12;
    while (pos + 8 <= b.size()) {
        uint32_t length = U32(b, pos + 4);
        if (pos + 8 + size_t(length) > b.size())
            return false;
        if (std::equal(tag, tag + 4, b.begin() + pos)) {
            at = pos + 8;
            size = length;
            return true;
        }
        pos += 8 + length + (length & 1);
    }
    return false;
}

TEST(Assets, ClickSoundIsAShortSoftPcmClip)
{
    std::vector<uint8_t> b = ReadFile(dataFolder + kClickSoundFile);
    ASSERT_GE(b.size(), 44u);
    ASSERT_TRUE(std::equal(b.begin(), b.begin() + 4, "RIFF"));
    ASSERT_TRUE(std::equal(b.begin() + 8, b.begin() + 12, "WAVE"));
    size_t fmt = 0, data = 0;
    uint32_t fmtSize = 0, dataSize = 0;
    ASSERT_TRUE(FindChunk(b, "fmt ", fmt, fmtSize));
    ASSERT_TRUE(FindChunk(b, "data", data, dataSize));
    ASSERT_GE(fmtSize, 16u);
    EXPECT_EQ(U16(b, fmt), 1u) << "PCM";
    EXPECT_EQ(U16(b, fmt + 2), 1u) << "mono";
    uint32_t rate = U32(b, fmt + 4);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    EXPECT_EQ(U16(b, fmt + 12), 2u) << "bytes per frame";
    EXPECT_EQ(U16(b, fmt + 14), 16u) << "bits per sample";
    ASSERT_EQ(dataSize % 2, 0u);

    size_t count = dataSize / 2;
    double milliseconds = 1000.0 * static_cast<double>(count) / rate;
    EXPECT_GE(milliseconds, 40.0);
    EXPECT_LE(milliseconds, 80.0);

    std::vector<int> samples;
    for (size_t i = 0; i < count; ++i)
        samples.push_back(int16_t(U16(b, data + 2 * i)));
    int peak = 0;
    for (int s : samples)
        peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 32767 / 10) << "audible";
    EXPECT_LT(peak, 32767 * 9 / 10) << "soft, never clipped";
    // Starting and ending near silence keeps a restarted click from popping.
    EXPECT_LT(std::abs(samples.front()), 32767 / 50);
    EXPECT_LT(std::abs(samples.back()), 32767 / 50);
    // Quick decay: the last quarter is much quieter than the peak.
    int tail = 0;
    for (size_t i = count * 3 / 4; i < count; ++i)
        tail = std::max(tail, std::abs(samples[i]));
    EXPECT_LT(tail, peak / 10);
}

}  // namespace
