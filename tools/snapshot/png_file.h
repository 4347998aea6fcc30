// A minimal PNG writer: 8-bit RGB, no interlace, one zlib stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Rows top first, 3 bytes a pixel. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbRows);
