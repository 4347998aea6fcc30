// Texture loading in a real context. The BMP loader alone is tested in tests/unit/test_image.cpp.
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "game/game_state.h"
#include "platform/image.h"
#include "render/render.h"
#include "tests/gl/gl_harness.h"

namespace {

// Saves the game's texture names and puts them back, so a test can load its own set.
class SavedTextures {
public:
    SavedTextures() { std::copy(std::begin(renderResources.textures), std::end(renderResources.textures), saved_); }
    ~SavedTextures() { std::copy(std::begin(saved_), std::end(saved_), renderResources.textures); }

private:
    unsigned int saved_[kTextureCount];
};

GLint LevelParameter(int level, GLenum which)
{
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
    return value;
}

// Loads from a copy of data/ that lacks the named file, and checks that nothing was made.
void ExpectLoadFailsWithout(const std::string& missing)
{
    std::string root = MakeDataCopy({missing});
    ASSERT_EQ(chdir(root.c_str()), 0);
    SavedTextures kept;
    std::fill(std::begin(renderResources.textures), std::end(renderResources.textures), 0u);
    GLuint before = 0, after = 0;
    glGenTextures(1, &before);
    EXPECT_FALSE(LoadTextures());
    glGenTextures(1, &after);
    // Had LoadTextures made its 25 names, the next free name would be 25 further on.
    EXPECT_EQ(after, before + 1) << "without " << missing;
    for (unsigned int name : renderResources.textures)
        EXPECT_EQ(name, 0u);
    EXPECT_EQ(LiveImageRecords(), 0) << "image records left behind without " << missing;
    glDeleteTextures(1, &before);
    glDeleteTextures(1, &after);
    RemoveTree(root);
}

std::vector<Rgb> HalvesWithWhiteTop(int width, int height)
{
    // Left half red, right half blue, top quarter white: a shear would smear the halves
    // across rows and rotate the colour channels; a flip would move the white band.
    std::vector<Rgb> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] =
                y < height / 4 ? Rgb{255, 255, 255} : (x < width / 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255});
    return pixels;
}

}  // namespace

TEST_F(GlTest, AllTwentyFiveTexturesAreDistinctAndFullyMipmapped)
{
    std::set<unsigned int> names(std::begin(renderResources.textures), std::end(renderResources.textures));
    EXPECT_EQ(names.size(), static_cast<size_t>(kTextureCount));
    EXPECT_EQ(names.count(0u), 0u);
    for (int i = 0; i < kTextureCount; ++i) {
        ASSERT_TRUE(glIsTexture(renderResources.textures[i])) << kImageFiles[i];
        glBindTexture(GL_TEXTURE_2D, renderResources.textures[i]);
        GLint minFilter = 0, magFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST) << kImageFiles[i];
        EXPECT_EQ(magFilter, GL_LINEAR) << kImageFiles[i];
        GLint width = LevelParameter(0, GL_TEXTURE_WIDTH);
        GLint height = LevelParameter(0, GL_TEXTURE_HEIGHT);
        ASSERT_GT(width, 0) << kImageFiles[i];
        int lastLevel = 0;
        while ((std::max(width, height) >> lastLevel) > 1)
            ++lastLevel;
        // The chain runs down to one texel.
        EXPECT_EQ(LevelParameter(lastLevel, GL_TEXTURE_WIDTH), 1) << kImageFiles[i];
        EXPECT_EQ(LevelParameter(lastLevel, GL_TEXTURE_HEIGHT), 1) << kImageFiles[i];
        EXPECT_EQ(LevelParameter(1, GL_TEXTURE_WIDTH), std::max(1, width / 2)) << kImageFiles[i];
    }
    EXPECT_EQ(LiveImageRecords(), 0);
}

TEST_F(GlTest, AMissingFirstOrLastImageFailsAndLeavesNothing)
{
    ExpectLoadFailsWithout("Vexo.bmp");
    ExpectLoadFailsWithout("Blinker.bmp");
    ExpectLoadFailsWithout("ex5.bmp");
}

TEST_F(GlTest, ImagesWhoseWidthIsNotAMultipleOfFourUploadUnsheared)
{
    const int width = 30, height = 20;
    std::string root = MakeDataCopy({"ex1.bmp"});
    WriteFile(root + "/data/ex1.bmp", EncodeBmp(width, height, HalvesWithWhiteTop(width, height)));
    ASSERT_EQ(chdir(root.c_str()), 0);
    SavedTextures kept;
    ASSERT_TRUE(LoadTextures());

    glBindTexture(GL_TEXTURE_2D, renderResources.textures[1]);
    GLint levelWidth = LevelParameter(0, GL_TEXTURE_WIDTH);
    GLint levelHeight = LevelParameter(0, GL_TEXTURE_HEIGHT);
    std::vector<uint8_t> texels(static_cast<size_t>(levelWidth) * levelHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    auto texel = [&](int x, int row) {
        size_t at = (static_cast<size_t>(row) * levelWidth + x) * 3;
        return Rgb{texels[at], texels[at + 1], texels[at + 2]};
    };
    // Row 0 of the texture is the image's bottom row; the top quarter is white.
    int whiteFrom = levelHeight - levelHeight / 4 + 1;
    for (int row = 0; row < levelHeight; ++row) {
        Rgb left = texel(levelWidth / 4, row);
        Rgb right = texel(levelWidth * 3 / 4, row);
        if (row >= whiteFrom) {
            EXPECT_GT(left.g, 200) << "row " << row;
            EXPECT_GT(right.g, 200) << "row " << row;
        } else if (row < whiteFrom - 2) {
            EXPECT_TRUE(left.r > 200 && left.g < 40 && left.b < 40) << "row " << row << " left";
            EXPECT_TRUE(right.b > 200 && right.g < 40 && right.r < 40) << "row " << row << " right";
        }
    }
    glDeleteTextures(kTextureCount, renderResources.textures);
    RemoveTree(root);
}
