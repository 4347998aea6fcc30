// BMP decoding by GDI, the system's own reader: every kind of BMP Windows knows (palettes,
// run-length, bit fields, top-down), after the same header checks as on Linux. GDI draws the
// file's pixels into a 24-bit bitmap of ours, whatever their format.
#include "platform/image.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/bmp_checks.h"
#include "platform/win32/wide_path.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr int64_t kMaxFileSize = 256 << 20;  // far above any 8192 x 8192 picture

bool IsFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes)
{
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFileSize;
    if (read) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = bytes->empty() || (ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got,
                                           nullptr) && got == bytes->size());
    }
    CloseHandle(file);
    return read;
}

uint32_t Little32(const unsigned char* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

// GDI's rows are bottom-up, 4-byte aligned, blue first; the record's are packed, red first.
ImageRecord* RecordFromRows(const unsigned char* rows, int32_t width, int32_t height)
{
    ImageRecord* image = NewImageRecord(width, height);
    if (!image)
        return nullptr;
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int32_t row = 0; row < height; ++row) {
        const unsigned char* source = rows + stride * static_cast<size_t>(row);
        unsigned char* target = image->data + static_cast<size_t>(width) * 3 * static_cast<size_t>(row);
        for (int32_t x = 0; x < width; ++x) {
            target[x * 3] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3];
        }
    }
    return image;
}

ImageRecord* Decode(std::vector<unsigned char>& file)
{
    size_t size = file.size();
    if (!BmpHeaderLooksSound(file.data(), size < 54 ? size : 54, static_cast<int64_t>(size)))
        return nullptr;
    uint32_t pixelOffset = Little32(&file[10]);
    uint32_t infoSize = Little32(&file[14]);
    if (pixelOffset >= size || pixelOffset < kFileHeaderSize + infoSize)
        return nullptr;
    int32_t width, height;
    if (infoSize == 12) {
        width = static_cast<int16_t>(file[18] | file[19] << 8);
        height = static_cast<int16_t>(file[20] | file[21] << 8);
    } else {
        auto* info = reinterpret_cast<BITMAPINFOHEADER*>(&file[kFileHeaderSize]);
        width = info->biWidth;
        height = info->biHeight;
        // Run-length data never runs past the end of the file, whatever the header says.
        if (info->biCompression == BI_RLE8 || info->biCompression == BI_RLE4)
            info->biSizeImage = static_cast<DWORD>(size - pixelOffset);
    }
    if (height < 0)
        height = -height;

    BITMAPINFO want{};
    want.bmiHeader.biSize = sizeof want.bmiHeader;
    want.bmiHeader.biWidth = width;
    want.bmiHeader.biHeight = height;  // positive: bottom row first
    want.bmiHeader.biPlanes = 1;
    want.bmiHeader.biBitCount = 24;
    want.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return nullptr;
    void* rows = nullptr;
    HBITMAP target = CreateDIBSection(dc, &want, DIB_RGB_COLORS, &rows, nullptr, 0);
    ImageRecord* image = nullptr;
    if (target && rows) {
        HGDIOBJ previous = SelectObject(dc, target);
        int drawn = StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, &file[pixelOffset],
                                  reinterpret_cast<const BITMAPINFO*>(&file[kFileHeaderSize]),
                                  DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
        if (drawn > 0 && drawn != static_cast<int>(GDI_ERROR))
            image = RecordFromRows(static_cast<const unsigned char*>(rows), width, height);
        SelectObject(dc, previous);
    }
    if (target)
        DeleteObject(target);
    DeleteDC(dc);
    return image;
}

}  // namespace

ImageRecord* LoadImageFile(const char* path)
{
    if (!path)
        return nullptr;
    std::vector<unsigned char> file;
    if (!ReadWholeFile(ResolveImagePath(path, IsFile), &file))
        return nullptr;
    return Decode(file);
}
