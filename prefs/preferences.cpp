#include "prefs/preferences.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/score_store.h"
#include "scores/score_file.h"

namespace {

// Far more than any file of ours; what lies beyond is not read.
constexpr size_t kLargestFile = 64 * 1024;

// The text's own line ends; on disk they are the system's (CR LF on Windows, see
// SavePreferences), and the reader takes both.
constexpr const char* kTextLineEnd = "\n";

std::vector<std::string> SplitLines(std::string text)
{
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A whole number of 1 to 5 digits, nothing else.
bool ParseNumber(const std::string& text, int* number)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    *number = std::atoi(text.c_str());
    return true;
}

bool ParseWindowSize(const std::string& value, int* width, int* height)
{
    size_t x = value.find('x');
    int w = 0, h = 0;
    if (x == std::string::npos || !ParseNumber(value.substr(0, x), &w) ||
        !ParseNumber(value.substr(x + 1), &h))
        return false;
    if (w < 1 || h < 1 || w > kLargestWindowSide || h > kLargestWindowSide)
        return false;
    *width = w;
    *height = h;
    return true;
}

bool ParseVersion(const std::string& line, int* version)
{
    return line.rfind("version ", 0) == 0 && ParseNumber(line.substr(8), version) &&
           *version >= 1;
}

// One "name value" line; false when the name is not one of ours.
bool ReadChoice(const std::string& name, const std::string& value,
                const std::vector<std::string>& pictureSets, Preferences* preferences)
{
    if (name == "board") {
        std::optional<BoardSize> board = ParseBoardName(value);
        if (board && IsOfferedBoard(*board))
            preferences->board = *board;
    } else if (name == "pictures") {
        if (std::find(pictureSets.begin(), pictureSets.end(), value) != pictureSets.end())
            preferences->pictures = value;
    } else if (name == "full-screen") {
        if (value == "yes" || value == "no")
            preferences->fullScreen = value == "yes";
    } else if (name == "window") {
        ParseWindowSize(value, &preferences->windowWidth, &preferences->windowHeight);
    } else {
        return false;
    }
    return true;
}

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

bool ParsePreferences(const std::string& text, const std::vector<std::string>& pictureSets,
                      Preferences* preferences, std::string* error)
{
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty())
        return true;
    int version = 0;
    if (!ParseVersion(Trimmed(lines[0]), &version)) {
        *error = "it is not a preferences file of Flipora's";
        return false;
    }
    if (version > kPreferencesVersion) {
        *error = "a later version of Flipora wrote it";
        return false;
    }
    Preferences read = *preferences;
    read.otherLines.clear();
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string line = Trimmed(lines[i]);
        size_t blank = line.find_first_of(" \t");
        std::string name = line.substr(0, blank);
        std::string value = blank == std::string::npos ? "" : Trimmed(line.substr(blank));
        if (!ReadChoice(name, value, pictureSets, &read))
            read.otherLines.push_back(lines[i]);
    }
    *preferences = read;
    return true;
}

std::string PreferencesText(const Preferences& preferences)
{
    std::vector<std::string> lines = {
        "version " + std::to_string(kPreferencesVersion),
        "board " + BoardName(preferences.board),
        "pictures " + preferences.pictures,
        std::string("full-screen ") + (preferences.fullScreen ? "yes" : "no"),
        "window " + std::to_string(preferences.windowWidth) + "x" +
            std::to_string(preferences.windowHeight),
    };
    lines.insert(lines.end(), preferences.otherLines.begin(), preferences.otherLines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + kTextLineEnd;
    return text;
}

PreferencesLoad LoadPreferences(const std::string& path,
                                const std::vector<std::string>& pictureSets,
                                Preferences* preferences, std::string* error)
{
    FILE* file = nullptr;
    StoreOpen opened = OpenScoreFileForReading(path.c_str(), true, &file, error);
    if (opened == StoreOpen::Missing)
        return PreferencesLoad::Missing;
    if (opened == StoreOpen::Failed)
        return PreferencesLoad::Unreadable;
    std::string text(kLargestFile, '\0');
    errno = 0;
    text.resize(std::fread(text.data(), 1, text.size(), file));
    bool failed = std::ferror(file) != 0;
    int readError = errno;
    std::fclose(file);
    if (failed) {
        *error = readError != 0 ? std::strerror(readError) : "input/output error";
        return PreferencesLoad::Unreadable;
    }
    if (text.find('\0') != std::string::npos) {
        *error = "it is not a text file";
        return PreferencesLoad::Unreadable;
    }
    if (!ParsePreferences(text, pictureSets, preferences, error))
        return PreferencesLoad::Unreadable;
    return PreferencesLoad::Read;
}

bool SavePreferences(const std::string& path, const std::string& base,
                     const Preferences& preferences, std::string* error)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (!base.empty() && !MakeFoldersBelow(base, folder, error))
        return false;
    std::string target;
    if (!ResolveScoreFile(path, true, &target, error))
        return false;
    return ReplaceScoreFile(target, WithSystemLineEnds(PreferencesText(preferences)), true, error);
}
