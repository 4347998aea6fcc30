// The preferences file: what a line means, what is ignored on its own, what is refused
// whole, and the file itself on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "prefs/preferences.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kSets = {"standard", "letters"};

Preferences Parsed(const std::string& text, bool* understood = nullptr)
{
    Preferences preferences;
    std::string error;
    bool ok = ParsePreferences(text, kSets, &preferences, &error);
    if (understood)
        *understood = ok;
    return preferences;
}

}  // namespace

TEST(Preferences, DefaultsAreTheStandardGameAndWriteBackAsTheyRead)
{
    Preferences defaults;
    EXPECT_EQ(PreferencesText(defaults),
              "version 1\nboard 4x4\npictures standard\nfull-screen no\nwindow 1016x676\n");

    Preferences chosen{{6, 6}, "letters", true, 1500, 900, {"language de"}};
    bool understood = false;
    EXPECT_EQ(Parsed(PreferencesText(chosen), &understood), chosen);
    EXPECT_TRUE(understood);
    // No line at all: the defaults, as for a missing file.
    EXPECT_EQ(Parsed("", &understood), defaults);
    EXPECT_TRUE(understood);
}

TEST(Preferences, ABadValueIsIgnoredOnItsOwn)
{
    // Each bad line beside good ones: the good ones count, the bad one keeps its default.
    const std::string good = "board 3x4\npictures letters\nfull-screen yes\nwindow 800x600\n";
    Preferences expected{{3, 4}, "letters", true, 800, 600, {}};
    const char* bad[] = {"board 5x5",      "board 8x8",      "board 4x4x4",   "board",
                         "pictures nope",  "pictures",       "full-screen 1", "full-screen YES",
                         "window 0x600",   "window 800x",    "window 99999x600",
                         "window -800x600"};
    for (const char* line : bad) {
        bool understood = false;
        Preferences read = Parsed("version 1\n" + std::string(line) + "\n" + good, &understood);
        EXPECT_TRUE(understood) << line;
        EXPECT_EQ(read, expected) << line << ": a bad line of ours is not kept either";
        // Alone, it leaves the default.
        EXPECT_EQ(Parsed("version 1\n" + std::string(line) + "\n"), Preferences{}) << line;
    }
    // CR LF, a byte-order mark, comments, blank lines and spaces around values; a line of a
    // later version's choice is kept and written back.
    Preferences read = Parsed("\xEF\xBB\xBFversion 1\r\n# mine\r\n\r\n  board   6x6  \r\n"
                              "language de\r\nwindow 1200x800\r\n");
    EXPECT_EQ(read.board, (BoardSize{6, 6}));
    EXPECT_EQ(read.windowWidth, 1200);
    EXPECT_EQ(read.otherLines, std::vector<std::string>{"language de"});
    EXPECT_NE(PreferencesText(read).find("\nlanguage de\n"), std::string::npos);
}

TEST(Preferences, AFileOfAnotherKindOrALaterVersionIsRefusedWhole)
{
    Preferences start;
    start.board = {5, 4};
    for (const char* text : {"board 6x6\n", "version 2\nboard 6x6\n", "version one\nboard 6x6\n",
                             "version 0\nboard 6x6\n", "\x89PNG\r\n", "Version 1\nboard 6x6\n"}) {
        Preferences preferences = start;
        std::string error;
        EXPECT_FALSE(ParsePreferences(text, kSets, &preferences, &error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(preferences, start) << text << ": untouched";
    }
}

class PreferencesFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        do
            home = fs::temp_directory_path() / ("flipora_prefs_" + std::to_string(seed()));
        while (!fs::create_directory(home));
        path = (home / "cfg" / "flipora" / "Preferences.txt").string();
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(home, ignored);
    }

    PreferencesLoad Load(Preferences* preferences)
    {
        std::string error;
        return LoadPreferences(path, kSets, preferences, &error);
    }

    fs::path home;
    std::string path;
};

TEST_F(PreferencesFileTest, SavedInFoldersMadeForThemReadBackAndRefusedWhenNotOurs)
{
    Preferences preferences;
    EXPECT_EQ(Load(&preferences), PreferencesLoad::Missing);
    preferences.board = {6, 6};
    preferences.pictures = "letters";
    std::string error;
    ASSERT_TRUE(SavePreferences(path, home.string(), preferences, &error)) << error;
#ifndef _WIN32
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif
    Preferences read;
    EXPECT_EQ(Load(&read), PreferencesLoad::Read);
    EXPECT_EQ(read, preferences);
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
        EXPECT_EQ(entry.path().filename(), "Preferences.txt") << "nothing left beside it";

    // A later version's file, a UTF-16 one and a folder in its place are not missing ones.
    for (const std::string& text : {std::string("version 9\nboard 6x6\n"),
                                    std::string("v\0e\0r\0s\0", 8), std::string()}) {
        fs::remove(path);
        if (text.empty())
            fs::create_directory(path);
        else
            std::ofstream(path, std::ios::binary) << text;
        Preferences unread;
        EXPECT_EQ(Load(&unread), PreferencesLoad::Unreadable) << text;
        EXPECT_EQ(unread, Preferences{});
    }
}
