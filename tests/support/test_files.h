// Files for tests, no GL: the source tree's data folder, damaged copies of it, and BMP
// images made to order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// The source tree's data folder and a temporary copy of it to damage.
std::string SourceDir();
// The languages of po/LINGUAS and the build's folder of their compiled catalogues.
std::vector<std::string> TranslatedLanguages();
std::string LocaleBuildDir();
std::string MakeDataCopy(const std::vector<std::string>& leaveOut);  // returns the copy's root
void RemoveTree(const std::string& path);

// A bottom-up 24-bit BMP from top-down RGB rows.
std::vector<uint8_t> EncodeBmp(int width, int height, const std::vector<Rgb>& topDownPixels,
                               bool topDownFile = false);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
