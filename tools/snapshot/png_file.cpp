#include "tools/snapshot/png_file.h"

#include <zlib.h>

#include <cstdio>

namespace {

void PutBig(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// Length, type, data, and the CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    PutBig(out, static_cast<uint32_t>(data.size()));
    size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    PutBig(out, static_cast<uint32_t>(crc));
}

// Each row is preceded by its filter byte, 0 (none).
bool CompressRows(int width, int height, const std::vector<uint8_t>& rgbRows, std::vector<uint8_t>& out)
{
    size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> filtered;
    filtered.reserve((rowBytes + 1) * height);
    for (int row = 0; row < height; ++row) {
        filtered.push_back(0);
        filtered.insert(filtered.end(), rgbRows.begin() + rowBytes * row, rgbRows.begin() + rowBytes * (row + 1));
    }
    uLongf size = compressBound(static_cast<uLong>(filtered.size()));
    out.resize(size);
    if (compress2(out.data(), &size, filtered.data(), static_cast<uLong>(filtered.size()), 9) != Z_OK)
        return false;
    out.resize(size);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgbRows)
{
    if (width <= 0 || height <= 0 || rgbRows.size() < static_cast<size_t>(width) * height * 3)
        return false;
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig(header, static_cast<uint32_t>(width));
    PutBig(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header);
    std::vector<uint8_t> compressed;
    if (!CompressRows(width, height, rgbRows, compressed))
        return false;
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", {});

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
