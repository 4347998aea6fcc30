#include "platform/bmp_checks.h"

#include <new>

namespace {

// Far beyond any of the game's pictures and the GL's texture limits; a header claiming
// more is hostile or broken, and we refuse before anything is allocated for it.
constexpr int32_t kMaxSide = 8192;

int32_t liveRecords = 0;

uint32_t ReadLittle(const unsigned char* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::string ResolveImagePath(const char* path, const std::function<bool(const std::string&)>& exists)
{
    std::string asWritten = path;
    if (exists(asWritten))
        return asWritten;
    size_t slash = asWritten.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return asWritten;
    size_t folderStart = asWritten.rfind('/', slash - 1);
    std::string above = folderStart == std::string::npos ? "" : asWritten.substr(0, folderStart + 1);
    return above + "data" + asWritten.substr(slash);
}

bool BmpHeaderLooksSound(const unsigned char* header, size_t got, int64_t fileSize)
{
    if (got < 26 || header[0] != 'B' || header[1] != 'M')
        return false;
    uint32_t pixelOffset = ReadLittle(header + 10, 4);
    uint32_t infoSize = ReadLittle(header + 14, 4);
    int64_t width, height;
    uint32_t bitsPerPixel, compression = 0;
    if (infoSize == 12) {  // the old OS/2 core header: 16-bit sizes
        width = static_cast<int16_t>(ReadLittle(header + 18, 2));
        height = static_cast<int16_t>(ReadLittle(header + 20, 2));
        bitsPerPixel = ReadLittle(header + 24, 2);
    } else {
        if (infoSize < 40 || got < 54)
            return false;
        width = static_cast<int32_t>(ReadLittle(header + 18, 4));
        height = static_cast<int32_t>(ReadLittle(header + 22, 4));
        bitsPerPixel = ReadLittle(header + 28, 2);
        compression = ReadLittle(header + 30, 4);
    }
    if (height < 0)
        height = -height;  // top-down file
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return false;
    bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (!uncompressed || bitsPerPixel == 0 || bitsPerPixel > 32)
        return true;  // run-length files: the decoder checks every read itself
    int64_t rowBytes = ((width * bitsPerPixel + 31) / 32) * 4;
    return fileSize >= 0 && pixelOffset + rowBytes * height <= fileSize;
}

ImageRecord* NewImageRecord(int32_t width, int32_t height)
{
    ImageRecord* image = new (std::nothrow) ImageRecord;
    if (!image)
        return nullptr;
    size_t pixelBytes = static_cast<size_t>(width) * 3 * static_cast<size_t>(height);
    image->data = new (std::nothrow) unsigned char[pixelBytes + ImagePadding(width)]();
    if (!image->data) {
        delete image;
        return nullptr;
    }
    image->sizeX = width;
    image->sizeY = height;
    ++liveRecords;
    return image;
}

void FreeImageRecord(ImageRecord* image)
{
    if (!image)
        return;
    delete[] image->data;
    delete image;
    --liveRecords;
}

int32_t LiveImageRecords()
{
    return liveRecords;
}
