// The BMP loader on good, odd and hostile files. No GL, no window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/image.h"
#include "tests/support/test_files.h"

namespace {

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() /
            ("flipora_image_" + std::to_string(getpid()) + "_" + name)).string();
}

}  // namespace

TEST(ImageLoader, DecodesRowsPackedBottomUpInRedGreenBlueOrder)
{
    const int width = 30, height = 20;
    std::vector<Rgb> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = {x == y ? 255 : x * 8, y * 12, (x + y) % 7 * 30};
    for (bool topDownFile : {false, true}) {
        std::string path = TempPath(topDownFile ? "topdown.bmp" : "bottomup.bmp");
        WriteFile(path, EncodeBmp(width, height, pixels, topDownFile));
        ImageRecord* image = LoadImageFile(path.c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->sizeX, width);
        EXPECT_EQ(image->sizeY, height);
        int wrong = 0;
        for (int row = 0; row < height; ++row) {
            for (int x = 0; x < width; ++x) {
                const Rgb& want = pixels[(height - 1 - row) * width + x];
                const unsigned char* got = image->data + (row * width + x) * 3;
                wrong += got[0] != want.r || got[1] != want.g || got[2] != want.b;
            }
        }
        EXPECT_EQ(wrong, 0) << (topDownFile ? "top-down file" : "bottom-up file");
        // The spare bytes the mipmap builder may read past the last pixel are ours, zero.
        const unsigned char* end = image->data + width * height * 3;
        EXPECT_EQ(std::count(end, end + ImagePadding(width), 0), ImagePadding(width));
        FreeImageRecord(image);
        unlink(path.c_str());
    }
    EXPECT_EQ(LiveImageRecords(), 0);
}

TEST(ImageLoader, TriesTheLowerCaseDataFolderWhenTheWrittenOneIsMissing)
{
    ASSERT_EQ(chdir(SourceDir().c_str()), 0);
    ImageRecord* image = LoadImageFile("Data/Vexo.bmp");
    ASSERT_NE(image, nullptr);
    EXPECT_GT(image->sizeX, 0);
    FreeImageRecord(image);
    EXPECT_EQ(LoadImageFile("Data/NoSuchImage.bmp"), nullptr);
    EXPECT_EQ(LoadImageFile(nullptr), nullptr);
}

TEST(ImageLoader, RejectsTruncatedGarbageAndAbsurdFiles)
{
    std::vector<Rgb> pixels(64 * 64, Rgb{10, 20, 30});
    std::vector<uint8_t> good = EncodeBmp(64, 64, pixels);

    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)});
    cases.push_back({"header only", std::vector<uint8_t>(good.begin(), good.begin() + 54)});
    cases.push_back({"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 20)});
    std::vector<uint8_t> garbage(5000);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<uint8_t>((i * 2654435761u) >> 13);
    cases.push_back({"garbage", garbage});
    std::vector<uint8_t> garbageWithMagic = garbage;
    garbageWithMagic[0] = 'B';
    garbageWithMagic[1] = 'M';
    cases.push_back({"garbage behind the magic", garbageWithMagic});
    cases.push_back({"empty", {}});
    // Dimensions far beyond anything real, with the file as small as ever.
    for (int32_t side : {100000, 0x7fffffff, -0x7fffffff, 0}) {
        std::vector<uint8_t> hostile = good;
        for (int i = 0; i < 4; ++i) {
            hostile[18 + i] = static_cast<uint8_t>(static_cast<uint32_t>(side) >> (8 * i));
            hostile[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(side) >> (8 * i));
        }
        cases.push_back({"dimensions " + std::to_string(side), hostile});
    }
    // Plausible dimensions, but more rows claimed than the file holds.
    std::vector<uint8_t> tooTall = good;
    tooTall[23] = 0x10;  // height 4160
    cases.push_back({"more rows than bytes", tooTall});

    for (const auto& [what, bytes] : cases) {
        std::string path = TempPath("bad.bmp");
        WriteFile(path, bytes);
        ImageRecord* image = LoadImageFile(path.c_str());
        EXPECT_EQ(image, nullptr) << what;
        FreeImageRecord(image);
        unlink(path.c_str());
    }
    EXPECT_EQ(LiveImageRecords(), 0);
}
