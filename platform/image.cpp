#include "platform/image.h"

#include <SDL.h>

#include <cstring>
#include <new>
#include <string>

namespace {

// Far beyond any of the game's pictures and the GL's texture limits; a header claiming
// more is hostile or broken, and we refuse before anything is allocated for it.
constexpr int32_t kMaxSide = 8192;

int32_t liveRecords = 0;

bool FileExists(const std::string& path)
{
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return false;
    SDL_RWclose(file);
    return true;
}

// The data folder is spelled "Data/" in image paths but lives as "data/" on disk.
std::string ResolveImagePath(const char* path)
{
    std::string asWritten = path;
    if (FileExists(asWritten))
        return asWritten;
    size_t slash = asWritten.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return asWritten;
    size_t folderStart = asWritten.rfind('/', slash - 1);
    std::string above = folderStart == std::string::npos ? "" : asWritten.substr(0, folderStart + 1);
    return above + "data" + asWritten.substr(slash);
}

uint32_t ReadLittle(const unsigned char* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// Checks the headers before SDL sees the file: the magic, sane dimensions, and for
// uncompressed pixels that the file really holds every row it claims. SDL would
// otherwise allocate the full surface for a tiny file with a huge header.
bool HeaderLooksSound(SDL_RWops* file)
{
    Sint64 fileSize = SDL_RWsize(file);
    unsigned char header[54] = {};
    size_t got = SDL_RWread(file, header, 1, sizeof header);
    SDL_RWseek(file, 0, RW_SEEK_SET);
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
        return true;  // run-length files: SDL checks every read itself
    int64_t rowBytes = ((width * bitsPerPixel + 31) / 32) * 4;
    return fileSize >= 0 && pixelOffset + rowBytes * height <= fileSize;
}

SDL_Surface* DecodeBmp(const std::string& path)
{
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return nullptr;
    if (!HeaderLooksSound(file)) {
        SDL_RWclose(file);
        return nullptr;
    }
    SDL_Surface* decoded = SDL_LoadBMP_RW(file, 1);
    if (!decoded)
        return nullptr;
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(decoded);
    return rgb;
}

// SDL surfaces run top-down with padded rows; the record wants packed rows bottom-up.
ImageRecord* RecordFromSurface(SDL_Surface* surface)
{
    ImageRecord* image = new (std::nothrow) ImageRecord;
    if (!image)
        return nullptr;
    size_t rowBytes = static_cast<size_t>(surface->w) * 3;
    size_t pixelBytes = rowBytes * surface->h;
    image->data = new (std::nothrow) unsigned char[pixelBytes + ImagePadding(surface->w)]();
    if (!image->data) {
        delete image;
        return nullptr;
    }
    image->sizeX = surface->w;
    image->sizeY = surface->h;
    SDL_LockSurface(surface);
    const unsigned char* pixels = static_cast<const unsigned char*>(surface->pixels);
    for (int row = 0; row < surface->h; ++row) {
        const unsigned char* source = pixels + static_cast<size_t>(surface->h - 1 - row) * surface->pitch;
        std::memcpy(image->data + rowBytes * row, source, rowBytes);
    }
    SDL_UnlockSurface(surface);
    ++liveRecords;
    return image;
}

}  // namespace

ImageRecord* LoadImageFile(const char* path)
{
    if (!path)
        return nullptr;
    SDL_Surface* surface = DecodeBmp(ResolveImagePath(path));
    if (!surface)
        return nullptr;
    ImageRecord* image = RecordFromSurface(surface);
    SDL_FreeSurface(surface);
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
