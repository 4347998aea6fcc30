#include "platform/image.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/bmp_checks.h"

namespace {

bool FileExists(const std::string& path)
{
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return false;
    SDL_RWclose(file);
    return true;
}

// The headers are checked before SDL sees the file.
bool HeaderLooksSound(SDL_RWops* file)
{
    Sint64 fileSize = SDL_RWsize(file);
    unsigned char header[54] = {};
    size_t got = SDL_RWread(file, header, 1, sizeof header);
    SDL_RWseek(file, 0, RW_SEEK_SET);
    return BmpHeaderLooksSound(header, got, fileSize);
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
    ImageRecord* image = NewImageRecord(surface->w, surface->h);
    if (!image)
        return nullptr;
    size_t rowBytes = static_cast<size_t>(surface->w) * 3;
    SDL_LockSurface(surface);
    const unsigned char* pixels = static_cast<const unsigned char*>(surface->pixels);
    for (int row = 0; row < surface->h; ++row) {
        const unsigned char* source = pixels + static_cast<size_t>(surface->h - 1 - row) * surface->pitch;
        std::memcpy(image->data + rowBytes * row, source, rowBytes);
    }
    SDL_UnlockSurface(surface);
    return image;
}

}  // namespace

ImageRecord* LoadImageFile(const char* path)
{
    if (!path)
        return nullptr;
    SDL_Surface* surface = DecodeBmp(ResolveImagePath(path, FileExists));
    if (!surface)
        return nullptr;
    ImageRecord* image = RecordFromSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}
