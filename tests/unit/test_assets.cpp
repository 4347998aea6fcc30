// The committed data folder: every image the game loads is a 24-bit bottom-up BMP shaped like
// its quad, the places where black text is printed stay light, the banners are bright on black
// (they are added to the board), the pictures of each set differ in grey and to colour-blind
// eyes, and the click is a short soft PCM clip.
// The files are read here byte by byte, without SDL, so a broken file fails with its name.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
#include "game/board.h"
#include "game/game_state.h"
#include "game/scene_layout.h"
#include "tests/support/test_files.h"

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

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name != "Scores.txt")
            names.insert(name);
    }
    return names;
}

// The table is the data folder: a file beside it would never be installed, a name in it
// without its file stops the game. Only the player's score file may sit there too, and a
// folder for each language holding its own images with words, and nothing else.
TEST(Assets, TheAssetTableNamesExactlyTheDataFolder)
{
    std::set<std::string> table(std::begin(kImageFiles), std::end(kImageFiles));
    EXPECT_EQ(table.size(), std::size(kImageFiles)) << "a name is listed twice";
    // The standard game loads these 25 images and no other, its pictures under their names.
    EXPECT_EQ(kTextureCount, 25);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(kImageFiles[i], "ex" + std::to_string(i) + ".bmp");
    std::set<std::string> setNames;
    for (const PictureSet& set : kPictureSets) {
        SCOPED_TRACE(set.name);
        EXPECT_TRUE(setNames.insert(set.name).second) << "two sets share a name";
        EXPECT_GE(set.count, kMaxPairs) << "too few for the largest board";
        for (int i = 0; i < set.count; ++i) {
            // A standard picture is also a texture; any other file belongs to one set alone.
            bool texture = std::string(set.name) == "standard" && i < 8;
            EXPECT_NE(table.insert(set.files[i]).second, texture) << set.files[i];
        }
    }
    EXPECT_EQ(std::string(kPictureSets[0].name), "standard");
    EXPECT_TRUE(std::equal(kImageFiles + 1, kImageFiles + 9, kPictureSets[0].files))
        << "the standard set starts with the standard game's pictures";
    EXPECT_TRUE(table.insert(kGearFile).second);
    EXPECT_TRUE(table.insert(kClickSoundFile).second);
    // And a folder for each language, holding its own images with words and nothing else.
    std::set<std::string> worded;
    for (int i = 0; i < kTextureCount; ++i)
        if (ImageHasWords(i))
            worded.insert(kImageFiles[i]);
    EXPECT_EQ(worded.size(), 10u);
    std::vector<std::string> languages = TranslatedLanguages();
    table.insert(languages.begin(), languages.end());
    EXPECT_EQ(FilesIn(dataFolder), table);
    for (const std::string& code : languages)
        EXPECT_EQ(FilesIn(dataFolder + code), worded) << code;
}

TEST(Assets, EveryImageIsA24BitBmpShapedLikeItsQuad)
{
    std::vector<ImageQuad> quads;
    for (int texture = 0; texture < kTextureCount; ++texture)
        quads.push_back(QuadOf(texture));
    for (const PictureSet& set : kPictureSets)
        for (int i = 0; i < set.count; ++i)
            quads.push_back({set.files[i], 2 * kBlockHalf, 2 * kBlockHalf});
    ImageQuad speaker = QuadOf(PieceOf(Piece::SpeakerOn).texture);
    quads.push_back({kGearFile, speaker.quadWidth, speaker.quadHeight});
    for (const ImageQuad& quad : quads) {
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

// The box around a picture's drawing: the pixels inside the card's frame that are neither
// the light card nor a pale tint of it.
struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Box DrawingBox(const Image& image)
{
    Box box;
    int frame = image.width / 16;
    for (int y = frame; y < image.height - frame; ++y) {
        for (int x = frame; x < image.width - frame; ++x) {
            const uint8_t* p = image.At(x, y);
            int hi = std::max({p[0], p[1], p[2]}), lo = std::min({p[0], p[1], p[2]});
            if (Luminance(p) >= 190 && hi - lo <= 60)
                continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                   std::max(box.bottom, y)};
        }
    }
    return box;
}

TEST(Assets, EveryPictureIsDrawnInsideItsFrameLargeAndCentred)
{
    for (const PictureSet& set : kPictureSets) {
        std::vector<int> heights;
        for (int i = 0; i < set.count; ++i) {
            SCOPED_TRACE(set.files[i]);
            Image image = ReadBmp(set.files[i]);
            ASSERT_EQ(image.error, "");
            // The frame shows one colour all round: nothing is drawn over it.
            std::set<std::vector<uint8_t>> frame;
            for (double f : {0.25, 0.5, 0.75}) {
                int along = int(f * image.width), edge = image.width / 64;
                for (auto [x, y] : {std::pair{along, edge}, {edge, along},
                                    {image.width - 1 - edge, along},
                                    {along, image.height - 1 - edge}}) {
                    const uint8_t* p = image.At(x, y);
                    frame.insert({p[0], p[1], p[2]});
                }
            }
            EXPECT_EQ(frame.size(), 1u) << "the drawing runs over the frame";
            // Large enough to read on a 6 x 6 board, and not pushed to one side.
            Box box = DrawingBox(image);
            int side = image.width;
            EXPECT_GE(std::max(box.right - box.left, box.bottom - box.top), side * 0.55);
            EXPECT_NEAR((box.left + box.right) / 2.0, side / 2.0, side / 14.0);
            EXPECT_NEAR((box.top + box.bottom) / 2.0, side / 2.0, side / 14.0);
            heights.push_back(box.bottom - box.top);
        }
        if (std::string(set.name) == "type") {
            auto [lowest, highest] = std::minmax_element(heights.begin(), heights.end());
            EXPECT_LE(*highest - *lowest, 8) << "the characters are not all one size";
        }
    }
}

// The gear sits beside the speaker: the same badge on the same stretch of the panel.
TEST(Assets, TheGearIsDrawnLikeTheSpeaker)
{
    Image gear = ReadBmp(kGearFile), speaker = ReadBmp("SpeakerON.bmp");
    ASSERT_EQ(gear.error, "");
    ASSERT_EQ(speaker.error, "");
    ASSERT_EQ(gear.width, speaker.width);
    ASSERT_EQ(gear.height, speaker.height);
    int same = 0, white = 0;
    for (int y = 0; y < gear.height; ++y) {
        for (int x = 0; x < gear.width; ++x) {
            const uint8_t* g = gear.At(x, y);
            same += std::equal(g, g + 3, speaker.At(x, y));
            white += Luminance(g) > 240;
        }
    }
    int pixels = gear.width * gear.height;
    // The corners (the panel behind the round badge) and most of the badge are the speaker's.
    for (auto [x, y] : {std::pair{0, 0}, {gear.width - 1, 0}, {0, gear.height - 1},
                        {gear.width - 1, gear.height - 1}})
        EXPECT_TRUE(std::equal(gear.At(x, y), gear.At(x, y) + 3, speaker.At(x, y)));
    EXPECT_GT(same, pixels / 2);
    EXPECT_GT(white, pixels / 10) << "a white gear that reads at 52 pixels";
}

// A picture as a player takes it in at a glance on a crowded board: averaged down to
// glanceSide x glanceSide in linear light.
const int glanceSide = 32;
using Glance = std::vector<std::array<double, 3>>;

double LinearLight(double encoded)
{
    double c = encoded / 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Encoded(double linear)
{
    double c = std::clamp(linear, 0.0, 1.0);
    return 255 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055);
}

Glance GlanceAt(const Image& image)
{
    Glance glance(glanceSide * glanceSide);
    int bw = image.width / glanceSide, bh = image.height / glanceSide;
    for (int y = 0; y < image.height && y / bh < glanceSide; ++y) {
        for (int x = 0; x < image.width && x / bw < glanceSide; ++x) {
            auto& cell = glance[(y / bh) * glanceSide + x / bw];
            for (int c = 0; c < 3; ++c)
                cell[c] += LinearLight(image.At(x, y)[c]) / (bw * bh);
        }
    }
    return glance;
}

// How a player sees colours, as a matrix on linear RGB: in full, in grey, or lacking one
// kind of cone (Machado, Oliveira and Fernandes' simulation of 2009, at full severity).
struct Vision {
    const char* name;
    double m[3][3];
};
const Vision visions[] = {
    {"full colour", {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
    {"grey", {{0.2126, 0.7152, 0.0722}, {0.2126, 0.7152, 0.0722}, {0.2126, 0.7152, 0.0722}}},
    {"protanopia",
     {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
      {-0.003882, -0.048116, 1.051998}}},
    {"deuteranopia",
     {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
      {-0.011820, 0.042940, 0.968881}}},
    {"tritanopia",
     {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
      {0.004733, 0.691367, 0.303900}}},
};

std::array<double, 3> Seen(const Vision& vision, const std::array<double, 3>& linear)
{
    std::array<double, 3> seen;
    for (int row = 0; row < 3; ++row) {
        double sum = 0;
        for (int c = 0; c < 3; ++c)
            sum += vision.m[row][c] * linear[c];
        seen[row] = Encoded(sum);
    }
    return seen;
}

// How far apart two glances look: the root mean square of their cells' distances, in the
// screen's 0..255 units.
double Apart(const Glance& a, const Glance& b, const Vision& vision)
{
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        std::array<double, 3> p = Seen(vision, a[i]), q = Seen(vision, b[i]);
        sum += (p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) +
               (p[2] - q[2]) * (p[2] - q[2]);
    }
    return std::sqrt(sum / double(a.size()));
}

// Two pictures closer than this in any of the visions could be taken for one another: the
// type set's S and 5, B and 8, I and 1, drawn alike, come closer still (36 to 40 in grey).
const double minimumApart = 40.0;

TEST(Assets, EveryPictureOfASetIsToldApartInGreyAndWithoutOneKindOfCone)
{
    // The measure itself: two flat cards whose colours differ only along a line that grey,
    // or a protanope or deuteranope, cannot see along are apart in full colour only.
    for (int v = 1; v <= 3; ++v) {
        const Vision& blind = visions[v];
        const double* r0 = blind.m[0];
        const double* r1 = v == 1 ? visions[0].m[2] : blind.m[1];
        std::array<double, 3> unseen = {r0[1] * r1[2] - r0[2] * r1[1],
                                        r0[2] * r1[0] - r0[0] * r1[2],
                                        r0[0] * r1[1] - r0[1] * r1[0]};
        double length = std::hypot(unseen[0], unseen[1], unseen[2]);
        Glance a(glanceSide * glanceSide), b(glanceSide * glanceSide);
        for (size_t i = 0; i < a.size(); ++i) {
            for (int c = 0; c < 3; ++c) {
                a[i][c] = 0.4 + 0.3 * unseen[c] / length;
                b[i][c] = 0.4 - 0.3 * unseen[c] / length;
            }
        }
        EXPECT_GT(Apart(a, b, visions[0]), 2 * minimumApart) << blind.name;
        EXPECT_LT(Apart(a, b, blind), 1.0) << blind.name;
    }

    for (const PictureSet& set : kPictureSets) {
        std::vector<Glance> glances;
        for (int i = 0; i < set.count; ++i) {
            Image image = ReadBmp(set.files[i]);
            ASSERT_EQ(image.error, "") << set.files[i];
            glances.push_back(GlanceAt(image));
        }
        for (const Vision& vision : visions) {
            double closest = 1e9;
            std::string pair;
            for (int i = 0; i < set.count; ++i) {
                for (int j = i + 1; j < set.count; ++j) {
                    double apart = Apart(glances[i], glances[j], vision);
                    if (apart < closest) {
                        closest = apart;
                        pair = std::string(set.files[i]) + " and " + set.files[j];
                    }
                }
            }
            EXPECT_GE(closest, minimumApart)
                << set.name << ", " << vision.name << ": " << pair << " look alike";
        }
    }
}

// Children learning to read mix up these pairs; the type set never holds both of one.
TEST(Assets, TheTypeSetLeavesOutCharactersTakenForOneAnother)
{
    const char* const lookAlikes[] = {"O0", "OQ", "OD", "D0", "I1", "IL", "IJ", "17", "S5",
                                      "B8", "Z2", "NZ", "EF", "MW", "UV", "CG", "PR", "69"};
    std::string shown;
    for (const char* file : kTypePictures) {
        std::string name = file;  // "TypeA.bmp" shows "A"
        shown += name.substr(4, name.size() - 8);
    }
    ASSERT_EQ(shown.size(), std::size(kTypePictures)) << "one character a picture";
    for (const char* pair : lookAlikes) {
        bool both = shown.find(pair[0]) != std::string::npos &&
                    shown.find(pair[1]) != std::string::npos;
        EXPECT_FALSE(both) << pair[0] << " and " << pair[1];
    }
}
// A language's words on the buttons, labels and banners fit: where its picture differs from
// the English one (the word), it keeps clear of a plate's rounded rim, and a banner's
// word and glow never reach the ends of the strip, where they would be cut.
class LanguagePictures : public testing::TestWithParam<std::string> {};

TEST_P(LanguagePictures, EveryWordFitsItsPicture)
{
    for (int texture = 0; texture < kTextureCount; ++texture) {
        if (!ImageHasWords(texture))
            continue;
        std::string file = kImageFiles[texture];
        SCOPED_TRACE(GetParam() + "/" + file);
        Image english = ReadBmp(file);
        Image own = ReadBmp(GetParam() + "/" + file);
        ASSERT_EQ(own.error, "");
        ASSERT_EQ(own.width, english.width);
        ASSERT_EQ(own.height, english.height);
        bool banner = Luminance(english.At(0, 0)) == 0;  // the banners alone are on black
        int astray = 0;
        for (int y = 0; y < own.height; ++y)
            for (int x = 0; x < own.width; ++x) {
                if (banner) {
                    bool atEnd = x < own.width / 50 || x >= own.width - own.width / 50;
                    astray += atEnd && Luminance(own.At(x, y)) > 0;
                    continue;
                }
                if (std::equal(own.At(x, y), own.At(x, y) + 3, english.At(x, y)))
                    continue;
                bool onFace = x >= own.width / 20 && x < own.width - own.width / 20 &&
                              y >= own.height * 8 / 100 && y < own.height * 92 / 100;
                astray += !onFace;
            }
        EXPECT_EQ(astray, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguagePictures, testing::ValuesIn(TranslatedLanguages()),
                         [](const testing::TestParamInfo<std::string>& language) {
                             return language.param;
                         });

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
