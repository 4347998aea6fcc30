#include <GL/gl.h>
#include <GL/glu.h>

#include "game/assets.h"
#include "game/game_state.h"
#include "lang/translate.h"
#include "platform/data_folder.h"
#include "platform/image.h"
#include "render/render.h"

namespace {

ImageRecord* LoadImageOf(int texture, const std::string& language)
{
    return LoadImageFile(DataFilePath(ImagePath(texture, language).c_str()).c_str());
}

// The language's own picture where it has one; where it is missing the English one shows,
// which still says what the button does.
ImageRecord* LoadImageInLanguage(int texture)
{
    const std::string& language = LanguageInUse();
    ImageRecord* image = ImageHasWords(texture) ? LoadImageOf(texture, language) : nullptr;
    return image ? image : LoadImageOf(texture, "");
}

// Every image must load before any texture name is made, so a failure leaves nothing.
bool LoadAllImages(ImageRecord* images[kTextureCount])
{
    for (int i = 0; i < kTextureCount; ++i) {
        images[i] = LoadImageInLanguage(i);
        if (!images[i])
            return false;
    }
    return true;
}

void UploadMipmapped(unsigned int texture, const ImageRecord& image)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.sizeX, image.sizeY, GL_RGB, GL_UNSIGNED_BYTE, image.data);
}

}  // namespace

bool LoadTextures()
{
    ImageRecord* images[kTextureCount] = {};
    bool loaded = LoadAllImages(images);
    if (loaded) {
        // Rows arrive packed; alignment 1 keeps widths that are not a multiple of 4 unsheared.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glGenTextures(kTextureCount, renderResources.textures);
        for (int i = 0; i < kTextureCount; ++i)
            UploadMipmapped(renderResources.textures[i], *images[i]);
    }
    for (ImageRecord* image : images)
        FreeImageRecord(image);
    return loaded;
}

void ReloadWordedTextures()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kTextureCount; ++i) {
        if (!ImageHasWords(i) || renderResources.textures[i] == 0)
            continue;
        ImageRecord* image = LoadImageInLanguage(i);
        if (image)
            UploadMipmapped(renderResources.textures[i], *image);
        FreeImageRecord(image);
    }
}
