// What both BMP decoders (SDL on Linux, GDI on Windows) share: where the file is, the header
// checks made before a decoder sees the file, and the records they fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/image.h"

// The data folder is spelled "Data/" in image paths but lives as "data/" on disk: the path
// as written when exists() finds it, else with its folder part as "data".
std::string ResolveImagePath(const char* path, const std::function<bool(const std::string&)>& exists);

// The file's first bytes (up to 54: file and info header) and its size. True when the magic,
// the dimensions and, for uncompressed pixels, the size agree with a real image. A decoder
// would otherwise allocate the full picture for a tiny file with a huge header.
bool BmpHeaderLooksSound(const unsigned char* header, size_t got, int64_t fileSize);

// A record of width x height with zeroed pixels and the padding, counted as live; null when
// memory runs out.
ImageRecord* NewImageRecord(int32_t width, int32_t height);
