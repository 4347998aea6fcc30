#include "tests/support/test_files.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

std::string SourceDir()
{
    return FLIPORA_SOURCE_DIR;
}

std::vector<std::string> TranslatedLanguages()
{
    std::vector<std::string> codes;
    std::string list = FLIPORA_LANGUAGES;
    for (size_t at = 0; (at = list.find_first_not_of(' ', at)) != std::string::npos;) {
        size_t end = std::min(list.find(' ', at), list.size());
        codes.push_back(list.substr(at, end - at));
        at = end;
    }
    return codes;
}

std::string LocaleBuildDir()
{
    return FLIPORA_LOCALE_BUILD_DIR;
}

std::string MakeDataCopy(const std::vector<std::string>& leaveOut)
{
    std::string root = (fs::temp_directory_path() / ("flipora_gl_" + std::to_string(getpid()) + "_" +
                                                      std::to_string(std::rand())))
                           .string();
    fs::create_directories(root + "/data");
    for (const auto& entry : fs::directory_iterator(SourceDir() + "/data")) {
        std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".bmp")
            continue;
        if (std::find(leaveOut.begin(), leaveOut.end(), name) != leaveOut.end())
            continue;
        fs::copy_file(entry.path(), root + "/data/" + name);
    }
    return root;
}

void RemoveTree(const std::string& path)
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

namespace {

void PutLittle(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<Rgb>& topDownPixels, bool topDownFile)
{
    size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bytes(54 + rowBytes * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittle(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLittle(bytes, 10, 54, 4);
    PutLittle(bytes, 14, 40, 4);
    PutLittle(bytes, 18, static_cast<uint32_t>(width), 4);
    PutLittle(bytes, 22, static_cast<uint32_t>(topDownFile ? -height : height), 4);
    PutLittle(bytes, 26, 1, 2);
    PutLittle(bytes, 28, 24, 2);
    PutLittle(bytes, 34, static_cast<uint32_t>(rowBytes * height), 4);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        int imageRow = topDownFile ? fileRow : height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            const Rgb& pixel = topDownPixels[static_cast<size_t>(imageRow) * width + x];
            size_t at = 54 + rowBytes * fileRow + static_cast<size_t>(x) * 3;
            bytes[at] = static_cast<uint8_t>(pixel.b);  // BMP stores blue, green, red
            bytes[at + 1] = static_cast<uint8_t>(pixel.g);
            bytes[at + 2] = static_cast<uint8_t>(pixel.r);
        }
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
