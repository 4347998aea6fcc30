// Where the game looks for its data and keeps the scores: the search order, what counts as
// holding the images, the player's folder and the choice of score files, without SDL.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/data_folder.h"

namespace {

const std::vector<std::string> kImages = {"Data/Vexo.bmp", "Data/ex1.bmp"};

std::vector<std::string> Paths(const std::vector<DataFolder>& folders)
{
    std::vector<std::string> paths;
    for (const DataFolder& folder : folders)
        paths.push_back(folder.path + (folder.installed ? " (installed)" : ""));
    return paths;
}

// A file system holding exactly the listed files.
auto Holding(std::set<std::string> files)
{
    return [files](const std::string& path) { return files.count(path) > 0; };
}

const std::vector<DataFolder> kCandidates =
    DataFolderCandidates("/opt/game/bin/", "../share/flipora/data", "/usr/share/flipora/data");

}  // namespace

TEST(DataFolder, SearchOrderIsCurrentFolderBesideTheBinaryThenInstalled)
{
    EXPECT_EQ(Paths(kCandidates),
              (std::vector<std::string>{"data", "/opt/game/bin/data",
                                        "/opt/game/share/flipora/data (installed)",
                                        "/usr/share/flipora/data (installed)"}));
    // No executable folder known: only the current folder and the compiled-in one.
    EXPECT_EQ(Paths(DataFolderCandidates("", "../share/flipora/data", "/usr/share/flipora/data")),
              (std::vector<std::string>{"data", "/usr/share/flipora/data (installed)"}));
    // A binary in the current folder's data/ would list the same place twice.
    EXPECT_EQ(Paths(DataFolderCandidates("/g", "data", "/g/data")),
              (std::vector<std::string>{"data", "/g/data"}));
}

TEST(DataFolder, TheCurrentFolderKeepsTheLoadersSpelling)
{
    DataFolder current = kCandidates[0];
    EXPECT_EQ(DataFileSpellings(current, "Data/Vexo.bmp"),
              (std::vector<std::string>{"Data/Vexo.bmp", "data/Vexo.bmp"}));
    EXPECT_EQ(DataFileSpellings(current, "data/Sound.wav"),
              (std::vector<std::string>{"data/Sound.wav"}));
    EXPECT_EQ(DataFileSpellings(kCandidates[3], "Data/Vexo.bmp"),
              (std::vector<std::string>{"/usr/share/flipora/data/Vexo.bmp"}));
    // A language's own pictures keep their folder inside the data folder.
    EXPECT_EQ(DataFileSpellings(current, "data/de/New.bmp"),
              (std::vector<std::string>{"data/de/New.bmp"}));
    EXPECT_EQ(DataFileSpellings(kCandidates[3], "data/pt_BR/New.bmp"),
              (std::vector<std::string>{"/usr/share/flipora/data/pt_BR/New.bmp"}));
}

// The catalogues: beside the binary (the build's locale/), then the installed locale
// folder reached from the binary, then the one compiled in.
TEST(DataFolder, CataloguesAreSoughtBesideTheBinaryThenWhereInstalled)
{
    EXPECT_EQ(CatalogueFolderCandidates("/opt/game/bin", "../share/locale", "/usr/share/locale"),
              (std::vector<std::string>{"/opt/game/bin/locale", "/opt/game/share/locale",
                                        "/usr/share/locale"}));
    EXPECT_EQ(CatalogueFolderCandidates("", "../share/locale", "/usr/share/locale"),
              (std::vector<std::string>{"/usr/share/locale"}));
    EXPECT_EQ(CatalogueFolderCandidates("/usr/bin", "../share/locale", "/usr/share/locale"),
              (std::vector<std::string>{"/usr/bin/locale", "/usr/share/locale"}));
}

TEST(DataFolder, TheFirstFolderHoldingEveryImageIsUsed)
{
    // The current folder's data/ wins whenever it holds them, in either spelling.
    const DataFolder* found =
        FindDataFolder(kCandidates, kImages, Holding({"data/Vexo.bmp", "Data/ex1.bmp",
                                                      "/usr/share/flipora/data/Vexo.bmp",
                                                      "/usr/share/flipora/data/ex1.bmp"}));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->path, "data");

    // A folder short of one image is passed over, as is an unrelated data/ folder.
    found = FindDataFolder(kCandidates, kImages,
                           Holding({"data/Vexo.bmp", "/opt/game/bin/data/ex1.bmp",
                                    "/usr/share/flipora/data/Vexo.bmp",
                                    "/usr/share/flipora/data/ex1.bmp"}));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->path, "/usr/share/flipora/data");
    EXPECT_TRUE(found->installed);

    EXPECT_EQ(FindDataFolder(kCandidates, kImages, Holding({"data/Vexo.bmp"})), nullptr);
}

TEST(DataFolder, PlayerFolderFollowsXdgDataHome)
{
    EXPECT_EQ(PlayerDataFolder("/scratch/xdg", "/home/ann"), "/scratch/xdg/flipora");
    // Unset, empty or relative values are not to be used.
    EXPECT_EQ(PlayerDataFolder(nullptr, "/home/ann"), "/home/ann/.local/share/flipora");
    EXPECT_EQ(PlayerDataFolder("", "/home/ann/"), "/home/ann/.local/share/flipora");
    EXPECT_EQ(PlayerDataFolder("xdg", "/home/ann"), "/home/ann/.local/share/flipora");
    EXPECT_EQ(PlayerDataFolder(nullptr, ""), "");

    // HOME only as an absolute path to a folder that is there; else the password entry's.
    auto isFolder = [](const std::string& path) { return path == "/home/ann"; };
    EXPECT_EQ(ChooseHomeFolder("/home/ann", "/home/pw", isFolder), "/home/ann");
    EXPECT_EQ(ChooseHomeFolder("relhome", "/home/pw", isFolder), "/home/pw");
    EXPECT_EQ(ChooseHomeFolder("/home/gone", "/home/pw", isFolder), "/home/pw");
    EXPECT_EQ(ChooseHomeFolder(nullptr, "/home/pw", isFolder), "/home/pw");
    EXPECT_EQ(ChooseHomeFolder("", nullptr, isFolder), "");

    // Folders are made below the home, never the home itself; an XDG_DATA_HOME elsewhere
    // is made whole.
    EXPECT_EQ(PlayerFolderBase("/home/ann/.local/share/flipora", "/home/ann"), "/home/ann");
    EXPECT_EQ(PlayerFolderBase("/home/ann/xdg/flipora", "/home/ann/"), "/home/ann/");
    EXPECT_EQ(PlayerFolderBase("/home/anne/.local/share/flipora", "/home/ann"), "/");
    EXPECT_EQ(PlayerFolderBase("/scratch/xdg/flipora", ""), "/");

    // Preferences follow XDG_CONFIG_HOME the same way, in the configuration folder.
    auto preferences = [](const char* xdg, const std::string& home) {
        PreferencesFile file = ChoosePreferencesFile(xdg, home);
        return file.path + " below " + file.makeBelow;
    };
    EXPECT_EQ(preferences("/scratch/cfg", "/home/ann"), "/scratch/cfg/flipora/Preferences.txt below /");
    EXPECT_EQ(preferences("cfg", "/home/ann"),
              "/home/ann/.config/flipora/Preferences.txt below /home/ann");
    EXPECT_EQ(preferences(nullptr, "/home/ann"),
              "/home/ann/.config/flipora/Preferences.txt below /home/ann");
    EXPECT_EQ(preferences("", ""), " below ");
}

TEST(DataFolder, PortableWritableFolderKeepsItsScoreFile)
{
    ScoreFile files = ChooseScoreFile(kCandidates[0], true, "/home/ann/.local/share/flipora");
    EXPECT_EQ(files.path, "data/Scores.txt");
    EXPECT_EQ(files.shipped, "");
    EXPECT_FALSE(files.privateFile);
    EXPECT_EQ(ChooseScoreFile(kCandidates[1], true, "/p").path, "/opt/game/bin/data/Scores.txt");
}

TEST(DataFolder, InstalledOrReadOnlyFolderIsNeverWritten)
{
    // Installed: the player's folder even where the installed one happens to be writable.
    for (bool writable : {true, false}) {
        ScoreFile files = ChooseScoreFile(kCandidates[3], writable, "/home/ann/.local/share/flipora");
        EXPECT_EQ(files.path, "/home/ann/.local/share/flipora/Scores.txt");
        EXPECT_EQ(files.shipped, "/usr/share/flipora/data/Scores.txt");
        EXPECT_TRUE(files.privateFile);
    }
    ScoreFile readOnly = ChooseScoreFile(kCandidates[0], false, "/p");
    EXPECT_EQ(readOnly.path, "/p/Scores.txt");
    EXPECT_EQ(readOnly.shipped, "data/Scores.txt");
    // Without a home nothing is saved, yet the shipped table can still be read.
    ScoreFile homeless = ChooseScoreFile(kCandidates[3], false, "");
    EXPECT_EQ(homeless.path, "");
    EXPECT_EQ(ScoreFileToRead(homeless, Holding({"/usr/share/flipora/data/Scores.txt"})),
              "/usr/share/flipora/data/Scores.txt");
}

#ifdef _WIN32
// Windows folders come with backslashes and their files are joined the same way: the
// program's own folder (unzipped or installed), then %APPDATA%'s for a read-only one.
TEST(DataFolder, WindowsFoldersJoinWithBackslashes)
{
    std::vector<DataFolder> beside = DataFolderCandidates("C:\\Program Files\\Flipora", "", "");
    EXPECT_EQ(Paths(beside), (std::vector<std::string>{"data", "C:\\Program Files\\Flipora\\data"}));
    EXPECT_EQ(DataFileSpellings(beside[1], "Data/Vexo.bmp"),
              (std::vector<std::string>{"C:\\Program Files\\Flipora\\data\\Vexo.bmp"}));
    EXPECT_EQ(DataFileSpellings(beside[1], "data/ru/Exit.bmp"),
              (std::vector<std::string>{"C:\\Program Files\\Flipora\\data\\ru\\Exit.bmp"}));
    EXPECT_EQ(CatalogueFolderCandidates("C:\\Flipora", "", ""),
              (std::vector<std::string>{"C:\\Flipora\\locale"}));
    ScoreFile installed =
        ChooseScoreFile(beside[1], false, "C:\\Users\\Zo\xc3\xab\\AppData\\Roaming\\Flipora");
    EXPECT_EQ(installed.path, "C:\\Users\\Zo\xc3\xab\\AppData\\Roaming\\Flipora\\Scores.txt");
    EXPECT_EQ(installed.shipped, "C:\\Program Files\\Flipora\\data\\Scores.txt");
    EXPECT_EQ(ChooseScoreFile(beside[1], true, "C:\\p").path,
              "C:\\Program Files\\Flipora\\data\\Scores.txt");
}
#endif

TEST(DataFolder, PlayersTableThenShippedTableThenDefaults)
{
    ScoreFile files = ChooseScoreFile(kCandidates[3], false, "/p");
    EXPECT_EQ(ScoreFileToRead(files, Holding({"/p/Scores.txt", "/usr/share/flipora/data/Scores.txt"})),
              "/p/Scores.txt");
    EXPECT_EQ(ScoreFileToRead(files, Holding({"/usr/share/flipora/data/Scores.txt"})),
              "/usr/share/flipora/data/Scores.txt");
    EXPECT_EQ(ScoreFileToRead(files, Holding({})), "");
}

TEST(DataFolder, FilesAreAskedForInTheFolderInUse)
{
    EXPECT_EQ(DataFilePath("Data/Vexo.bmp"), "Data/Vexo.bmp");
    UseDataFolder(kCandidates[2]);
    EXPECT_EQ(DataFilePath("Data/Vexo.bmp"), "/opt/game/share/flipora/data/Vexo.bmp");
    EXPECT_EQ(DataFilePath("data/Sound.wav"), "/opt/game/share/flipora/data/Sound.wav");
    UseDataFolder(kCandidates[0]);
    EXPECT_EQ(DataFilePath("data/Sound.wav"), "data/Sound.wav");
}

// What a box or the help names: the whole path, in the system's spelling, whatever the
// folder the game was started from.
TEST(DataFolder, ShownPathsAreAbsoluteInTheSystemsSpelling)
{
    struct Case {
        const char* path;
        const char* current;
        char separator;
        const char* shown;
    };
    const Case cases[] = {
        {"data/Scores.txt", "C:\\Spiele\\Gr\xc3\xb6\xc3\x9f" "e", '\\',
         "C:\\Spiele\\Gr\xc3\xb6\xc3\x9f" "e\\data\\Scores.txt"},
        {"data/Scores.txt", "C:\\", '\\', "C:\\data\\Scores.txt"},
        {"./data\\Scores.txt", "D:/Games", '\\', "D:\\Games\\data\\Scores.txt"},
        {"C:\\Users\\Zo\xc3\xab\\AppData\\Roaming\\Flipora\\Scores.txt", "D:\\x", '\\',
         "C:\\Users\\Zo\xc3\xab\\AppData\\Roaming\\Flipora\\Scores.txt"},
        {"c:/Users/Ann/Scores.txt", "D:\\x", '\\', "c:\\Users\\Ann\\Scores.txt"},
        {"\\\\server\\share\\Scores.txt", "D:\\x", '\\', "\\\\server\\share\\Scores.txt"},
        {"data/Scores.txt", "/home/ann/games", '/', "/home/ann/games/data/Scores.txt"},
        {"data/Scores.txt", "/", '/', "/data/Scores.txt"},
        {"./data/a\\b.txt", "/srv/", '/', "/srv/data/a\\b.txt"},  // a backslash is a name's
        {"/home/ann/.local/share/flipora/Scores.txt", "/tmp", '/',
         "/home/ann/.local/share/flipora/Scores.txt"},
        {"C:/x", "/tmp", '/', "/tmp/C:/x"},
        {"data/Scores.txt", "", '/', "data/Scores.txt"},  // no current folder to be had
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShownPathFrom(c.path, c.current, c.separator), c.shown) << c.path;
    std::string here = ShownPath("data/Scores.txt");
#ifdef _WIN32
    EXPECT_EQ(here.substr(1, 2), ":\\") << here;
    EXPECT_EQ(here.find('/'), std::string::npos) << here;
    EXPECT_EQ(here.substr(here.size() - 16), "\\data\\Scores.txt");
#else
    EXPECT_EQ(here.front(), '/') << here;
    EXPECT_EQ(here.substr(here.size() - 16), "/data/Scores.txt");
#endif
}
