// BMP files to plain RGB pixel records for texture upload. No GL, no window needed.
#pragma once

#include <cstdint>

// A decoded image: sizeX * sizeY pixels of red, green, blue bytes, rows packed without
// gaps (3 * sizeX bytes each), bottom row first, so GL sees it upright (t = 0 at the
// bottom), then ImagePadding(sizeX) zero bytes. Owned by whoever loaded it; give it back
// with FreeImageRecord.
// GLU's mipmap builder scales a side that is not a power of two with a filter that reads
// a few bytes past the last pixel; one spare zero row (and a word) keeps those reads
// inside the block.
inline constexpr int32_t ImagePadding(int32_t sizeX)
{
    return sizeX * 3 + 4;
}

struct ImageRecord {
    int32_t sizeX = 0;
    int32_t sizeY = 0;
    unsigned char* data = nullptr;
};

// Loads a BMP of any kind the system's decoder takes (sdl/: SDL, win32/: GDI), after the
// header checks both make (bmp_checks.h). The path is tried as written ("Data/x.bmp");
// when that file does not exist its folder part is tried as "data/". Returns null for
// no path, a missing file, or one that is truncated, undecodable or claims absurd
// dimensions; never crashes on what it reads.
ImageRecord* LoadImageFile(const char* path);

// Releases the pixel block, then the record. Null is fine.
void FreeImageRecord(ImageRecord* image);

// Records loaded and not yet freed. Texture loading must leave none behind.
int32_t LiveImageRecords();
