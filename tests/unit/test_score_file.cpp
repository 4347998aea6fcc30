// The score file: the exact text written, what hand-edited and damaged files read as,
// and that a failed write never costs the table that was there.
#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <thread>
#include <utility>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/score_table.h"
#include "platform/score_store.h"
#include "scores/board_scores.h"
#include "scores/scores.h"

namespace fs = std::filesystem;

namespace {

class ScoreFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        saved = SavedScores{};
        std::random_device seed;
        do
            folder = fs::temp_directory_path() / ("flipora_scores_" + std::to_string(seed()));
        while (!fs::create_directory(folder));
        path = (folder / "Scores.txt").string();
        file = ScoreFile{};
        file.path = path;
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Byte for byte: binary mode, so CR stays CR.
    void WriteFile(const std::string& text)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }

    void ExpectNoTemporaryFile()
    {
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().filename().string().find("Scores.txt.tmp"), std::string::npos)
                << entry.path();
    }

    // As the game wrote it, with its line ends as LF: Windows writes CR LF (the exact bytes
    // are checked on their own).
    std::string ReadFile(const std::string& from)
    {
        std::ifstream in(from, std::ios::binary);
        std::string text(std::istreambuf_iterator<char>(in), {});
#ifdef _WIN32
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
            text.erase(at, 1);
#endif
        return text;
    }

    void LoadText(const std::string& text)
    {
        WriteFile(text);
        LoadScores(file);
    }

    // A full table with a distinct entry in every slot.
    static void FillTables()
    {
        const int values[kScoreSlots] = {900, 800, 700, 600, 500, 1310, 1206, 905, 810, 0};
        const char* names[kScoreSlots] = {"ann", "bob", "cy", "dee", "eve",
                                          "fay", "gus", "hal", "ivy", "jo"};
        saved.gameCounter = 7;
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            saved.scoreValues[slot] = values[slot];
            std::strcpy(saved.scoreNames[slot], names[slot]);
        }
    }

    static void ExpectTables(int counter, const int (&values)[kScoreSlots],
                             const char* const (&names)[kScoreSlots])
    {
        EXPECT_EQ(saved.gameCounter, counter);
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            EXPECT_EQ(saved.scoreValues[slot], values[slot]) << "slot " << slot;
            EXPECT_STREQ(saved.scoreNames[slot], names[slot]) << "slot " << slot;
        }
    }

    static void ExpectFilledTables()
    {
        ExpectTables(7, {900, 800, 700, 600, 500, 1310, 1206, 905, 810, 0},
                     {"ann", "bob", "cy", "dee", "eve", "fay", "gus", "hal", "ivy", "jo"});
    }

    fs::path folder;
    std::string path;
    ScoreFile file;  // at path
};

const char* const kFilledText =
    "7\n900\n800\n700\n600\n500\nann\nbob\ncy\ndee\neve\n"
    "1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n";

TEST_F(ScoreFileTest, WritesTheTwentyOneLinesAndReadsThemBack)
{
    FillTables();
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path), kFilledText);
    ExpectNoTemporaryFile();

    game = GameState{};
    saved = SavedScores{};
    LoadScores(file);
    ExpectFilledTables();
}

TEST_F(ScoreFileTest, SkipsCommentsAndEmptyLinesWhereverTheyStand)
{
    LoadText("// scores\n\n/\n7\n900\n\n800\n// between\n700\n600\n500\nann\n/bob is a comment\n"
             "bob\ncy\ndee\neve\n\n\n1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n"
             "// the end\n\n");
    ExpectFilledTables();
}

TEST_F(ScoreFileTest, ReadsValuesAsIntegerConversionAndWritesThemInDecimal)
{
    LoadText("  +3\n010\n0x1F\n12abc\n-0X10\n   -7 junk\nn\nn\nn\nn\nn\n"
             "99999999999\n-99999999999\n0x\n09\n- 5\nn\nn\nn\nn\nn\n");
    EXPECT_EQ(saved.gameCounter, 3);
    EXPECT_EQ(saved.scoreValues[0], 8);
    EXPECT_EQ(saved.scoreValues[1], 31);
    EXPECT_EQ(saved.scoreValues[2], 12);
    EXPECT_EQ(saved.scoreValues[3], -16);
    EXPECT_EQ(saved.scoreValues[4], -7);
    // Out of the int range: clamped, never wrapped into a plausible-looking score.
    EXPECT_EQ(saved.scoreValues[5], INT32_MAX);
    EXPECT_EQ(saved.scoreValues[6], INT32_MIN);
    EXPECT_EQ(saved.scoreValues[7], 0);  // "0x": the 0 converts, the x does not
    EXPECT_EQ(saved.scoreValues[8], 0);  // "09": octal stops at 9
    EXPECT_EQ(saved.scoreValues[9], 0);  // nothing converts: the slot keeps its 0

    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path), "3\n8\n31\n12\n-16\n-7\nn\nn\nn\nn\nn\n"
                              "2147483647\n-2147483648\n0\n0\n0\nn\nn\nn\nn\nn\n");
}

TEST_F(ScoreFileTest, NameIsTheFirstWordAndABlankLineLeavesTheSlot)
{
    LoadText("1\n1\n2\n3\n4\n5\nab cd\n   \n\tx\ty\n  lead\nend   \n"
             "6\n7\n8\n9\n10\n \t \nf\ng\nh\ni\n");
    ExpectTables(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                 {"ab", "", "x", "lead", "end", "", "f", "g", "h", "i"});
}

TEST_F(ScoreFileTest, IgnoresDataLinesAfterTheTwentyFirstAndDropsThemOnWrite)
{
    LoadText(std::string(kFilledText) + "42\nextra\n// note\n43\n");
    ExpectFilledTables();
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path), kFilledText);
}

TEST_F(ScoreFileTest, SplitsLinesLongerThan254Characters)
{
    // 254 characters and the line end: one data line (the left-over line end is an
    // empty line). 300 characters: 254, then 46 as a further data line.
    std::string exact(254, 'e');
    std::string longer = std::string(254, 'a') + std::string(46, 'b');
    LoadText("1\n1\n2\n3\n4\n5\n" + exact + "\n" + longer + "\nc\nd\ne\n6\n7\n8\n9\n10\nf\ng\nh\ni\nj\n");
    EXPECT_STREQ(saved.scoreNames[0], exact.c_str());
    EXPECT_STREQ(saved.scoreNames[1], std::string(254, 'a').c_str());
    EXPECT_STREQ(saved.scoreNames[2], std::string(46, 'b').c_str());
    EXPECT_STREQ(saved.scoreNames[3], "c");
    EXPECT_STREQ(saved.scoreNames[4], "d");
    EXPECT_EQ(saved.scoreValues[5], 0);  // "e" stood where the first time-trial score is read
    EXPECT_EQ(saved.scoreValues[6], 6);
}

TEST_F(ScoreFileTest, ReadDataLineHandsOutPiecesAndEndsAtTheEnd)
{
    WriteFile("/c\n\n" + std::string(300, 'x') + "\r\n\r\nlast");
    FILE* opened = std::fopen(path.c_str(), "rb");
    ASSERT_NE(opened, nullptr);
    char buffer[256];
    ASSERT_TRUE(ReadDataLine(opened, buffer));
    EXPECT_EQ(std::string(buffer), std::string(254, 'x'));
    ASSERT_TRUE(ReadDataLine(opened, buffer));
    EXPECT_EQ(std::string(buffer), std::string(46, 'x') + "\r\n");
    ASSERT_TRUE(ReadDataLine(opened, buffer));
    EXPECT_STREQ(buffer, "last");
    EXPECT_FALSE(ReadDataLine(opened, buffer));
    EXPECT_FALSE(ReadDataLine(opened, buffer));
    std::fclose(opened);
}

TEST_F(ScoreFileTest, ReadsCrLfLikeLf)
{
    std::string crlf;
    for (const char* c = "// hand edited\n\n7\n900\n800\n\n700\n600\n500\nann\nbob\ncy\ndee\neve\n"
                         "1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n";
         *c; ++c)
        crlf += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    LoadText(crlf);
    ExpectFilledTables();

    // Lines of only CR are empty, between plain LF lines too.
    std::string text = kFilledText;
    text.insert(text.find("fay"), "\r\n/note\r\n\r\n");
    LoadText(text);
    ExpectFilledTables();

    // Old Mac files end their lines in CR alone, and one file may mix all three.
    std::string mixed;
    for (const char* c = "// mac\n\n7\n900\n800\n700\n600\n500\nann\nbob\ncy\ndee\neve\n"
                         "1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n";
         *c; ++c)
        mixed += *c == '\n' ? std::string("\r") : std::string(1, *c);
    LoadText(mixed);
    ExpectFilledTables();
    mixed.replace(mixed.find("\rbob\r"), 5, "\r\nbob\n");
    LoadText(mixed);
    ExpectFilledTables();
}

// Files saved by other editors: a UTF-8 byte-order mark (older Notepad) is skipped and not
// written back; UTF-16 (Notepad's "Unicode", with or without its mark), or NUL bytes
// anywhere in the lines read, make the file unreadable, and it is never written over. A NUL
// after the 21st data line is never read.
TEST_F(ScoreFileTest, AByteOrderMarkIsSkippedAndUtf16IsNeverWrittenOver)
{
    LoadText("\xEF\xBB\xBF" + std::string(kFilledText));
    EXPECT_FALSE(ScoreFileUnreadable());
    ExpectFilledTables();
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path), kFilledText);
    LoadText("\xEF\xBB" "7\n");  // half a mark is text
    EXPECT_EQ(saved.gameCounter, 1);

    auto utf16 = [](const std::string& text, bool mark) {
        std::string wide = mark ? "\xFF\xFE" : "";
        for (char c : text)
            wide += std::string(1, c) + '\0';
        return wide;
    };
    static constexpr char kNulInAName[] = "7\n900\n800\n700\n600\n500\nann\nb\0b\n";
    const std::string damaged[] = {utf16(kFilledText, true), utf16(kFilledText, false),
                                   std::string(kNulInAName, sizeof kNulInAName - 1)};
    for (const std::string& text : damaged) {
        FillTables();
        LoadText(text);
        EXPECT_TRUE(ScoreFileUnreadable());
        EXPECT_EQ(std::string(ScoreFileError()),
                  "it is not plain text: it holds NUL bytes, as a file saved as UTF-16 does");
        ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});
        RecordPlacedEntry(0);
        EXPECT_FALSE(MergeScores(file, true));
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    }
    LoadText(std::string(kFilledText) + std::string("tail\0", 5));
    EXPECT_FALSE(ScoreFileUnreadable());
    ExpectFilledTables();
}

TEST_F(ScoreFileTest, AFileThatEndsEarlyKeepsTheDefaultsItDidNotReach)
{
    FillTables();
    LoadText("12\n300\n200\n100\n400\n50\nann\nbob");  // no line end after bob
    ExpectTables(12, {300, 200, 100, 400, 50, 0, 0, 0, 0, 0},
                 {"ann", "bob", "", "", "", "", "", "", "", ""});

    LoadText("// nothing but a comment\n");
    ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});
}

TEST_F(ScoreFileTest, AMissingFileStartsWithCounterOneAndEmptyTables)
{
    FillTables();
    LoadScores(file);
    ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});
}

TEST_F(ScoreFileTest, TakesACounterBelowOneAsOne)
{
    for (const char* counter : {"0", "-5", "-2147483648", "none", "   "}) {
        LoadText(std::string(counter) + "\n5\n");
        EXPECT_EQ(saved.gameCounter, 1) << counter;
        EXPECT_EQ(saved.scoreValues[0], 5) << counter;
    }
}

// The game writes only 1..99; a hand-edited counter above it is taken modulo 99, which
// agrees with one wrap for 100..198, so a huge counter no longer deals the same board.
TEST_F(ScoreFileTest, ACounterAboveNinetyNineIsBroughtIntoOneToNinetyNine)
{
    for (int counter = 1; counter <= 99; ++counter) {
        LoadText(std::to_string(counter) + "\n");
        EXPECT_EQ(saved.gameCounter, counter);
    }
    const std::pair<const char*, int> cases[] = {
        {"100", 1}, {"150", 51}, {"198", 99}, {"199", 1}, {"2147483647", 2147483646 % 99 + 1},
        {"99999999999", 2147483646 % 99 + 1}};
    for (const auto& [text, expected] : cases) {
        LoadText(std::string(text) + "\n");
        EXPECT_EQ(saved.gameCounter, expected) << text;
    }
}

TEST_F(ScoreFileTest, CounterNinetyNineIsWrittenAsOneAtExit)
{
    FillTables();
    saved.gameCounter = 99;
    // As the exit save does it just before the write.
    saved.gameCounter = NextGameCounter(saved.gameCounter);
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path).substr(0, 2), "1\n");
    LoadScores(file);
    EXPECT_EQ(saved.gameCounter, 1);
}

TEST_F(ScoreFileTest, EmptyAndSlashNamesReadBackSlotForSlot)
{
    FillTables();
    std::strcpy(saved.scoreNames[0], "");
    std::strcpy(saved.scoreNames[2], "/x");
    std::strcpy(saved.scoreNames[4], "/");
    std::strcpy(saved.scoreNames[5], "");
    std::strcpy(saved.scoreNames[9], "//");
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path), "7\n900\n800\n700\n600\n500\n \nbob\n /x\ndee\n /\n"
                              "1310\n1206\n905\n810\n0\n \ngus\nhal\nivy\n //\n");
    game = GameState{};
    saved = SavedScores{};
    LoadScores(file);
    ExpectTables(7, {900, 800, 700, 600, 500, 1310, 1206, 905, 810, 0},
                 {"", "bob", "/x", "dee", "/", "", "gus", "hal", "ivy", "//"});
}

TEST_F(ScoreFileTest, TrailingBlanksAreWrittenAndReadBackWithout)
{
    FillTables();
    std::strcpy(saved.scoreNames[6], "xy   ");
    std::strcpy(saved.scoreNames[7], "     ");
    ASSERT_TRUE(SaveScores(file));
    EXPECT_NE(ReadFile(path).find("\nfay\nxy   \n     \nivy\n"), std::string::npos);
    LoadScores(file);
    EXPECT_STREQ(saved.scoreNames[6], "xy");
    EXPECT_STREQ(saved.scoreNames[7], "");
    EXPECT_STREQ(saved.scoreNames[8], "ivy");
}

TEST_F(ScoreFileTest, NamesAtTheSlotLimitKeepEveryLaterSlotInPlace)
{
    FillTables();
    std::string longest(254, 'n');
    std::string slashed(254, 's');
    slashed[0] = '/';
    std::strcpy(saved.scoreNames[1], longest.c_str());
    std::strcpy(saved.scoreNames[3], slashed.c_str());
    ASSERT_TRUE(SaveScores(file));
    LoadScores(file);
    EXPECT_STREQ(saved.scoreNames[1], longest.c_str());
    // With its blank it would need 255 characters and split; it loses its last one.
    EXPECT_STREQ(saved.scoreNames[3], slashed.substr(0, 253).c_str());
    EXPECT_STREQ(saved.scoreNames[4], "eve");
    EXPECT_EQ(saved.scoreValues[5], 1310);
    EXPECT_STREQ(saved.scoreNames[9], "jo");
}

// An installed game: the player's file in a folder of its own, a shipped table beside the
// images read until the player has one, and never written.
TEST_F(ScoreFileTest, AShippedTableIsReadUntilThePlayerHasOneAndNeverWritten)
{
    std::string shipped = (folder / "shipped.txt").string();
    std::ofstream(shipped, std::ios::binary) << kFilledText;
    fs::create_directory(folder / "player");
    std::string player = (folder / "player" / "Scores.txt").string();
    file.path = player;
    file.shipped = shipped;
    file.privateFile = true;

    EXPECT_TRUE(LoadScores(file));
    ExpectFilledTables();
    // The first save merges into the shipped table, as the player saw it.
    saved.gameCounter = 8;
    game.finalRank = 1;
    saved.scoreValues[1] = 850;
    std::strcpy(saved.scoreNames[1], "me");
    RecordPlacedEntry(1);
    ASSERT_TRUE(MergeScores(file, true));
    EXPECT_EQ(ReadFile(shipped), kFilledText);
    EXPECT_EQ(ReadFile(player), "8\n900\n850\n800\n700\n600\nann\nme\nbob\ncy\ndee\n"
                                "1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n");
#ifndef _WIN32
    // The player's alone, whatever the umask allows (%APPDATA% is the player's own).
    EXPECT_EQ(fs::status(player).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
#endif

    // From now on the player's own table is what loads and what merges take.
    std::ofstream(shipped, std::ios::binary | std::ios::trunc) << "50\n";
    EXPECT_TRUE(LoadScores(file));
    EXPECT_EQ(saved.gameCounter, 8);
    EXPECT_STREQ(saved.scoreNames[1], "me");
}

// A shipped table that cannot be read is only a missing default: the player's file is
// still written.
TEST_F(ScoreFileTest, AnUnreadableShippedTableLeavesTheDefaults)
{
    fs::create_directory(folder / "shipped");
    std::string shippedFolder = (folder / "shipped").string();
    file.shipped = shippedFolder;
    EXPECT_TRUE(LoadScores(file));
    EXPECT_FALSE(ScoreFileUnreadable());
    ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});
    saved.gameCounter = 5;
    ASSERT_TRUE(MergeScores(file, true));
    EXPECT_EQ(ReadFile(path).substr(0, 4), "5\n0\n");
}

// The old table must survive every failed write, byte for byte, with no temp file left.
class ScoreFileFailureTest : public ScoreFileTest {
protected:
    void SetUp() override
    {
        ScoreFileTest::SetUp();
        WriteFile("// kept\n" + std::string(kFilledText));
        FillTables();
        saved.scoreValues[0] = 12345;
    }

    void ExpectOldFileKept()
    {
        EXPECT_EQ(ReadFile(path), "// kept\n" + std::string(kFilledText));
        ExpectNoTemporaryFile();
    }
};

TEST_F(ScoreFileFailureTest, MissingFolderReturnsFalse)
{
    std::string inMissing = (folder / "missing" / "Scores.txt").string();
    file.path = inMissing;
    EXPECT_FALSE(SaveScores(file));
    EXPECT_FALSE(fs::exists(inMissing));
    ExpectOldFileKept();
}

TEST_F(ScoreFileFailureTest, TargetThatIsAFolderStaysAndNoTempIsLeft)
{
    std::string asFolder = (folder / "Taken").string();
    fs::create_directory(asFolder);
    fs::path inside = fs::path(asFolder) / "keep";
    std::ofstream(inside) << "x";
    file.path = asFolder;
    EXPECT_FALSE(SaveScores(file));
    EXPECT_TRUE(fs::is_directory(asFolder));
    EXPECT_TRUE(fs::exists(inside));
    EXPECT_FALSE(fs::exists(asFolder + ".tmp"));
    ExpectOldFileKept();
}

#ifndef _WIN32
// A file-size limit makes the writes themselves fail, as a full disk would.
TEST_F(ScoreFileFailureTest, FailedWriteKeepsTheOldFile)
{
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 16;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = SaveScores(file);
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    ExpectOldFileKept();

    ASSERT_TRUE(SaveScores(file));  // and once the disk has room again, it writes
    EXPECT_EQ(ReadFile(path).substr(0, 8), "7\n12345\n");
}

// Only a missing file means "no scores yet". A folder, a FIFO (which must not block the
// start) or a path through a file loads the defaults, says why, and is never written.
TEST_F(ScoreFileTest, AFileThatCannotBeReadIsNeverWrittenOver)
{
    fs::create_directory(folder / "data");
    std::ofstream(folder / "plain") << "x";
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0644), 0);
    const std::pair<fs::path, const char*> cases[] = {
        {folder / "data", "it is a folder"},
        {folder / "fifo", "it is not a regular file"},
        {folder / "plain" / "Scores.txt", "Not a directory"}};
    for (const auto& [unreadable, reason] : cases) {
        std::string where = unreadable.string();
        file.path = where;
        FillTables();
        EXPECT_FALSE(LoadScores(file)) << where;
        EXPECT_TRUE(ScoreFileUnreadable());
        EXPECT_STREQ(ScoreFileError(), reason);
        ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});

        game.finalRank = 0;
        saved.scoreValues[0] = 77;
        RecordPlacedEntry(0);
        EXPECT_FALSE(SaveScores(file));
        EXPECT_FALSE(MergeScores(file, true));
        EXPECT_EQ(UnsavedEntryCount(), 1);
    }
    EXPECT_TRUE(fs::is_empty(folder / "data"));
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
    EXPECT_EQ(ReadFile((folder / "plain").string()), "x");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 3);

    // A missing file is no such failure, and a later load starts afresh.
    file.path = path;
    EXPECT_TRUE(LoadScores(file));
    EXPECT_FALSE(ScoreFileUnreadable());
    EXPECT_STREQ(ScoreFileError(), "");
    EXPECT_EQ(UnsavedEntryCount(), 0);
}

#endif  // !_WIN32

// Another game saved since we read the file: our entry goes into the table as it is on
// disk now, by the same rule (below equal scores), and both games' entries stay.
TEST_F(ScoreFileTest, MergePutsThisSessionsEntriesIntoTheFileAsItIsNow)
{
    LoadText(kFilledText);
    // This game places 700 in the normal table and 1206 in the time trial.
    saved.gameCounter = 40;
    game.finalRank = 3;
    saved.scoreValues[3] = 700;
    std::strcpy(saved.scoreNames[3], "me");
    RecordPlacedEntry(3);
    saved.scoreValues[7] = 1206;
    std::strcpy(saved.scoreNames[7], "me2");
    RecordPlacedEntry(7);
    EXPECT_EQ(UnsavedEntryCount(), 2);

    // Meanwhile the other game placed 850 and advanced the counter to 9.
    WriteFile("// other\n9\n900\n850\n800\n700\n600\nann\nother\nbob\ncy\ndee\n"
              "1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n");
    ASSERT_TRUE(MergeScores(file, false));
    EXPECT_EQ(UnsavedEntryCount(), 0);
    EXPECT_EQ(ReadFile(path), "9\n900\n850\n800\n700\n700\nann\nother\nbob\ncy\nme\n"
                              "1310\n1206\n1206\n905\n810\nfay\ngus\nme2\nhal\nivy\n");
    // What the game shows is the merged file; its own counter runs on.
    ExpectTables(40, {900, 850, 800, 700, 700, 1310, 1206, 1206, 905, 810},
                 {"ann", "other", "bob", "cy", "me", "fay", "gus", "me2", "hal", "ivy"});

    // At exit nothing new to insert: the game's own counter is written, the tables stay.
    WriteFile("3\n990\n980\n970\n960\n950\na\nb\nc\nd\ne\n"
              "1\n1\n1\n1\n1\nf\ng\nh\ni\nj\n");
    game.finalRank = 4;
    saved.scoreValues[4] = 950;  // ties the last entry on disk, so it goes below: out
    RecordPlacedEntry(4);
    ASSERT_TRUE(MergeScores(file, true));
    EXPECT_EQ(ReadFile(path), "40\n990\n980\n970\n960\n950\na\nb\nc\nd\ne\n"
                              "1\n1\n1\n1\n1\nf\ng\nh\ni\nj\n");

    // No file at all: the tables start empty and the counter is the game's.
    fs::remove(path);
    saved.scoreValues[5] = 5;
    std::strcpy(saved.scoreNames[5], "solo");
    RecordPlacedEntry(5);
    ASSERT_TRUE(MergeScores(file, false));
    EXPECT_EQ(ReadFile(path), "40\n0\n0\n0\n0\n0\n \n \n \n \n \n5\n0\n0\n0\n0\nsolo\n \n \n \n \n");
}

// The game and the merge place a score by one rule: merged into the tables on disk as they
// were, an entry lands where the game put it, also when it ties others (it goes below).
TEST_F(ScoreFileTest, MergePlacesEachScoreWhereTheGameDid)
{
    for (int32_t score : {1311, 1206, 905, 811, 810, 1, 0}) {
        SCOPED_TRACE(score);
        game = GameState{};
        saved = SavedScores{};
        FillTables();  // time trial: 1310 1206 905 810 0
        ASSERT_TRUE(SaveScores(file));
        game.gameOver = true;
        game.finalScore = score;
        game.finalRank = FindRank();
        HandleNameKey('Z');
        RecordPlacedEntry(HandleNameKey(kKeyEnter).placedSlot);  // as the shell takes it
        SavedScores placed = saved;
        ASSERT_TRUE(MergeScores(file, false));
        EXPECT_EQ(UnsavedEntryCount(), 0);
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            EXPECT_EQ(saved.scoreValues[slot], placed.scoreValues[slot]) << "slot " << slot;
            EXPECT_STREQ(saved.scoreNames[slot], placed.scoreNames[slot]) << "slot " << slot;
        }
    }
}

// The other boards' file beside Scores.txt: entries merged into it as it is on disk, by
// the game's rule, in a text that reads back to the same tables; Scores.txt is not touched.
TEST_F(ScoreFileTest, BoardTablesMergeIntoTheirOwnFileBesideScoresTxt)
{
    WriteFile(kFilledText);
    ScoreFile boards = FileBeside(file, kBoardScoresFileName);
    EXPECT_EQ(boards.path, (folder / "BoardScores.txt").string());
    BoardScoreKeeper keeper;
    ASSERT_TRUE(keeper.Load(boards));
    EXPECT_TRUE(keeper.Tables().boards.empty());
    keeper.Record(6, 6, 0, 1000, "ann");
    keeper.Record(3, 4, kTableSize, 310, "bo b");  // a name is its first word
    ASSERT_TRUE(keeper.Merge(boards));
    const std::string written =
        "Flipora board scores 1\n"
        "3x4 normal\n0\n0\n0\n0\n0\n3x4 time-trial\n310 bo b\n0\n0\n0\n0\n"
        "6x6 normal\n1000 ann\n0\n0\n0\n0\n6x6 time-trial\n0\n0\n0\n0\n0\n";
    EXPECT_EQ(ReadFile(boards.path), written);
    EXPECT_EQ(ReadFile(path), kFilledText);

    // Another game placed 1000 on 6 x 6 meanwhile: ours ties it and goes below.
    std::ofstream(boards.path, std::ios::binary | std::ios::trunc)
        << "Flipora board scores 1\r\n6x6 normal\r\n1000 cy\r\n";
    keeper.Record(6, 6, 0, 1000, "dee");
    ASSERT_TRUE(keeper.Merge(boards));
    const BoardTables* sixBySix = FindBoard(keeper.Tables(), 6, 6);
    ASSERT_NE(sixBySix, nullptr);
    EXPECT_EQ(sixBySix->values[1], 1000);
    EXPECT_STREQ(sixBySix->names[0], "cy");
    EXPECT_STREQ(sixBySix->names[1], "dee");
    EXPECT_EQ(FindBoard(keeper.Tables(), 3, 4), nullptr);  // the file as it is now

    BoardScoreKeeper again;
    ASSERT_TRUE(again.Load(boards));
    EXPECT_EQ(BoardScoresText(again.Tables()), BoardScoresText(keeper.Tables()));
}

// Hand-edited files read as far as they make sense: comments, blank lines, CR LF, a BOM,
// boards out of order, a table met twice (the first counts), more than five entries, and
// headings of boards the file cannot hold, which are skipped with their entries.
TEST_F(ScoreFileTest, BoardTablesReadHandEditedFilesAsFarAsTheyMakeSense)
{
    ScoreFile boards = FileBeside(file, kBoardScoresFileName);
    std::ofstream(boards.path, std::ios::binary)
        << "\xEF\xBB\xBF// mine\nFlipora board scores   1  \n\n5x4 time-trial\n9 a\n8 b\n7 c\n"
           "6 d\n5 e\n4 f\n3x4 normal\r\n0x10   sixteen words\r\n/ note\r\n12abc\r\nnothing\r\n"
           "5x4 time-trial\n99 late\n0x4 normal\n77 zero\n17x2 normal\n66 wide\n";
    BoardScoreKeeper keeper;
    ASSERT_TRUE(keeper.Load(boards));
    ASSERT_EQ(keeper.Tables().boards.size(), 2u);
    const BoardTables& first = keeper.Tables().boards[0];
    EXPECT_EQ(std::make_pair(first.columns, first.rows), std::make_pair(3, 4));
    EXPECT_EQ(first.values[0], 16);
    EXPECT_STREQ(first.names[0], "sixteen");
    EXPECT_EQ(first.values[1], 12);
    EXPECT_STREQ(first.names[1], "abc");
    EXPECT_EQ(first.values[2], 0);
    EXPECT_STREQ(first.names[2], "nothing");
    const BoardTables* fiveByFour = FindBoard(keeper.Tables(), 5, 4);
    ASSERT_NE(fiveByFour, nullptr);
    EXPECT_EQ(fiveByFour->values[9], 5);
    EXPECT_STREQ(fiveByFour->names[9], "e");
    EXPECT_EQ(fiveByFour->values[0], 0);

    // Written back in the game's form, it reads the same.
    BoardScores reread;
    std::string text = BoardScoresText(keeper.Tables());
    std::ofstream(boards.path, std::ios::binary | std::ios::trunc) << text;
    FILE* opened = std::fopen(boards.path.c_str(), "rb");
    ASSERT_NE(opened, nullptr);
    std::string error;
    EXPECT_TRUE(ReadBoardScores(opened, &reread, &error)) << error;
    std::fclose(opened);
    EXPECT_EQ(BoardScoresText(reread), text);
}

// A newer game's file, another program's, or one saved as UTF-16: unreadable, shown as
// Scores.txt's are, never written over; the entries wait.
TEST_F(ScoreFileTest, BoardTablesOfAnUnknownVersionAreNeverWrittenOver)
{
    ScoreFile boards = FileBeside(file, kBoardScoresFileName);
    const std::pair<std::string, std::string> cases[] = {
        {"Flipora board scores 2\n3x4 normal\n5 a\n", "it is of version 2, which this game does not know"},
        {"// a note\nFlipora board scores\n", "it is not a file of board scores"},
        {"3x4 normal\n5 a\n", "it is not a file of board scores"},
        {std::string("F\0l\0i\0", 6), "it is not a file of board scores"},
        {std::string("Flipora board scores 1\n3x4 normal\n5 \0a\n", 39),
         "it is not plain text: it holds NUL bytes, as a file saved as UTF-16 does"}};
    for (const auto& [text, reason] : cases) {
        std::ofstream(boards.path, std::ios::binary | std::ios::trunc) << text;
        BoardScoreKeeper keeper;
        EXPECT_FALSE(keeper.Load(boards)) << reason;
        EXPECT_EQ(keeper.State().error, reason);
        EXPECT_TRUE(keeper.Tables().boards.empty());
        keeper.Record(3, 4, 0, 900, "me");
        EXPECT_FALSE(keeper.Merge(boards));
        EXPECT_EQ(keeper.Unsaved(), 1);
        std::ifstream in(boards.path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    }
    ExpectNoTemporaryFile();
}

#ifndef _WIN32
// While another holder has the lock, a merge does not wait: it fails as busy, keeps the
// entry and touches nothing, and once the lock is free works on what that one wrote.
TEST_F(ScoreFileTest, MergeNeverWaitsForTheLockBesideTheFile)
{
    LoadText(kFilledText);
    int held = open((path + ".lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    saved.scoreValues[0] = 1000;
    std::strcpy(saved.scoreNames[0], "first");
    RecordPlacedEntry(0);
    EXPECT_FALSE(MergeScores(file, false));
    EXPECT_TRUE(ScoreFileBusy());
    EXPECT_STREQ(ScoreFileError(), "another game keeps it locked");
    EXPECT_EQ(UnsavedEntryCount(), 1);
    EXPECT_EQ(ReadFile(path), kFilledText);
    ExpectNoTemporaryFile();

    WriteFile("8\n" + std::string(kFilledText).substr(2));
    flock(held, LOCK_UN);
    close(held);
    ASSERT_TRUE(MergeScores(file, false));
    EXPECT_FALSE(ScoreFileBusy());
    EXPECT_EQ(ReadFile(path).substr(0, 23), "8\n1000\n900\n800\n700\n600\n");
}

// The lock file takes the score file's permissions, so every player who may write the
// table may lock it too; a lock file that is another user's link, or not a file at all,
// does not cost the save: it goes on without the shared lock and says so once.
TEST_F(ScoreFileTest, TheLockFollowsTheFilesPermissionsAndABadOneDoesNotStopTheSave)
{
    LoadText(kFilledText);
    ASSERT_EQ(chmod(path.c_str(), 0664), 0);
    mode_t oldMask = umask(022);
    bool written = SaveScores(file);
    umask(oldMask);
    ASSERT_TRUE(written);
    struct stat info {};
    ASSERT_EQ(stat((path + ".lock").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0664u);

    fs::remove(path + ".lock");
    fs::path victim = folder / "victim";
    std::ofstream(victim) << "precious";
    fs::create_symlink(victim, path + ".lock");
    ASSERT_EQ(lchown((path + ".lock").c_str(), 4242, 4242), 0);
    saved.scoreValues[0] = 4242;
    testing::internal::CaptureStderr();
    bool throughLink = SaveScores(file);
    fs::remove(path + ".lock");
    fs::create_directory(path + ".lock");
    saved.scoreValues[1] = 4343;
    bool besideFolder = SaveScores(file);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(throughLink);
    EXPECT_TRUE(besideFolder);
    EXPECT_EQ(ReadFile(victim.string()), "precious");
    EXPECT_EQ(ReadFile(path).substr(0, 12), "7\n4242\n4343\n");
    // The folder's lock stood in, shared with every game: nothing to tell the player.
    EXPECT_STREQ(ScoreFileUnsharedLock(), "");
    EXPECT_NE(said.find("Scores.txt.lock is a link made by another user"), std::string::npos);
    EXPECT_EQ(said.find("flipora:", said.find("flipora:") + 1), std::string::npos)
        << "said more than once: " << said;

    // While another game holds the folder's lock, the merge waits for it like for the file's.
    int heldFolder = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(heldFolder, LOCK_EX), 0);
    RecordPlacedEntry(0);
    EXPECT_FALSE(MergeScores(file, false));
    EXPECT_TRUE(ScoreFileBusy());
    close(heldFolder);
    EXPECT_TRUE(MergeScores(file, false));

    // A hard link to a private file of the player's planted as the lock file: locked, never
    // chmod-ed (it was not made by the game, and has two names).
    fs::remove(path + ".lock");
    fs::path diary = folder / "diary";
    std::ofstream(diary) << "private";
    ASSERT_EQ(chmod(diary.c_str(), 0600), 0);
    ASSERT_EQ(link(diary.c_str(), (path + ".lock").c_str()), 0);
    ASSERT_TRUE(SaveScores(file));
    ASSERT_EQ(stat(diary.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadFile(diary.string()), "private");
}

// A sticky shared folder (1777) with root's 0666 table: another user may not replace it, so
// the save writes it in place, keeping a copy of the old table until the new one is whole.
// A save killed halfway leaves the copy, which is what is read until the next save.
TEST_F(ScoreFileTest, ASaveInAStickyFolderWritesInPlaceBehindACopy)
{
    fs::path shared = folder / "shared";
    fs::create_directory(shared);
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    std::string table = (shared / "Scores.txt").string();
    std::ofstream(table) << kFilledText;
    ASSERT_EQ(chmod(table.c_str(), 0666), 0);
    ScoreFile sharedFile = ScoreFileAt(table);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        LoadScores(sharedFile);
        saved.scoreValues[0] = 1000;
        std::strcpy(saved.scoreNames[0], "nobody");
        RecordPlacedEntry(0);
        _exit(MergeScores(sharedFile, false) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    struct stat info {};
    ASSERT_EQ(stat(table.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 0u);  // still root's: written in place
    EXPECT_EQ(info.st_mode & 0777, 0666u);
    EXPECT_EQ(ReadFile(table).substr(0, 7), "7\n1000\n");
    EXPECT_FALSE(fs::exists(table + ".old"));

    // Killed halfway through the write: the copy is whole, the table torn.
    std::string before = ReadFile(table);
    std::ofstream(table + ".old", std::ios::binary) << before.size() << "\n" << before;
    std::ofstream(table, std::ios::binary | std::ios::trunc) << "7\n10";
    ASSERT_TRUE(LoadScores(sharedFile));
    EXPECT_EQ(saved.scoreValues[0], 1000);
    EXPECT_STREQ(saved.scoreNames[0], "nobody");
    // A copy cut short itself stands for nothing: the table was not touched yet.
    std::ofstream(table + ".old", std::ios::binary | std::ios::trunc) << before.size() << "\n7\n";
    std::ofstream(table, std::ios::binary | std::ios::trunc) << before;
    ASSERT_TRUE(LoadScores(sharedFile));
    EXPECT_EQ(saved.scoreValues[0], 1000);
    // The next save makes the table whole and lets the copy go.
    ASSERT_TRUE(MergeScores(sharedFile, true));
    EXPECT_FALSE(fs::exists(table + ".old"));
}

// No lock every game shares: the lock path taken by a folder, and a folder the player may
// write but not open (mode 0333), as a file system without locks would leave it. The save
// goes on under a lock of the player's own in the runtime folder, and says why.
TEST_F(ScoreFileTest, WithNoSharedLockAPlayersOwnLockStandsIn)
{
    fs::path shut = folder / "shut";
    fs::path runtime = folder / "runtime";
    fs::create_directories(shut / "Scores.txt.lock");
    fs::create_directory(runtime);
    ASSERT_EQ(chown(runtime.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
    std::string table = (shut / "Scores.txt").string();
    std::ofstream(table) << kFilledText;
    ASSERT_EQ(chmod(table.c_str(), 0666), 0);
    ASSERT_EQ(chmod(shut.c_str(), 0333), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        ScoreFile shared = ScoreFileAt(table);
        LoadScores(shared);
        saved.scoreValues[0] = 1000;
        RecordPlacedEntry(0);
        bool merged = MergeScores(shared, false);
        std::string why = ScoreFileUnsharedLock();
        _exit(merged && why.find("cannot lock the folder") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(chmod(shut.c_str(), 0755), 0);
    EXPECT_EQ(ReadFile(table).substr(0, 7), "7\n1000\n");
    EXPECT_FALSE(fs::is_empty(runtime));
}

// The player's own folder, or the table in it, made by another user beforehand (a shared
// XDG_DATA_HOME): refused like another user's link, nothing written.
TEST_F(ScoreFileTest, APlayerFolderOrTableOfAnotherUserIsRefused)
{
    fs::path own = folder / "flipora";
    fs::create_directory(own);
    ScoreFile player = ScoreFileAt((own / "Scores.txt").string());
    player.privateFile = true;
    ASSERT_EQ(chown(own.c_str(), 4242, 4242), 0);
    EXPECT_FALSE(LoadScores(player));
    EXPECT_EQ(std::string(ScoreFileError()), "its folder " + own.string() + " belongs to another user");
    RecordPlacedEntry(0);
    EXPECT_FALSE(MergeScores(player, true));
    EXPECT_TRUE(fs::is_empty(own));

    ASSERT_EQ(chown(own.c_str(), 0, 0), 0);
    std::ofstream(own / "Scores.txt") << kFilledText;
    ASSERT_EQ(chown((own / "Scores.txt").c_str(), 4242, 4242), 0);
    EXPECT_FALSE(LoadScores(player));
    EXPECT_STREQ(ScoreFileError(), "it belongs to another user");
    EXPECT_FALSE(MergeScores(player, true));
    EXPECT_EQ(ReadFile((own / "Scores.txt").string()), kFilledText);
    player.privateFile = false;  // in a shared folder, another player's table is the rule
    EXPECT_TRUE(LoadScores(player));
}

// Another user's link is refused like an unreadable file, at load and at every save; the
// same for a linked folder (the planted Scores.txt link is shown end to end). The player's
// own links (here root's) are followed.
TEST_F(ScoreFileTest, ALinkMadeByAnotherUserIsNeverFollowed)
{
    fs::create_directory(folder / "real");
    fs::create_directory_symlink(folder / "real", folder / "linked");
    ASSERT_EQ(lchown((folder / "linked").c_str(), 4242, 4242), 0);
    std::string inLinked = (folder / "linked" / "Scores.txt").string();
    file.path = inLinked;
    FillTables();
    EXPECT_FALSE(LoadScores(file));
    EXPECT_TRUE(ScoreFileUnreadable());
    EXPECT_EQ(std::string(ScoreFileError()), "its folder " + (folder / "linked").string() +
                                                 " is a link made by another user");
    game.finalRank = 0;
    RecordPlacedEntry(0);
    EXPECT_FALSE(MergeScores(file, true));
    EXPECT_TRUE(fs::is_empty(folder / "real"));

    ASSERT_EQ(lchown((folder / "linked").c_str(), 0, 0), 0);
    fs::create_symlink("real/Scores.txt", path);
    file.path = path;
    EXPECT_TRUE(LoadScores(file));
    FillTables();
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile((folder / "real" / "Scores.txt").string()), kFilledText);
    EXPECT_TRUE(fs::is_symlink(path));
}

// The player's folder is made below the home folder, never the home folder itself, and a
// failure names its own step.
TEST_F(ScoreFileTest, FoldersAreMadeOnlyBelowAnExistingHome)
{
    std::string home = (folder / "home").string();
    std::string scores = home + "/.local/share/flipora";
    std::string error;
    EXPECT_FALSE(MakeFoldersBelow(home, scores, &error));
    EXPECT_EQ(error, "the home folder " + home + " cannot be used: No such file or directory");
    EXPECT_FALSE(fs::exists(home));

    fs::create_directory(home);
    std::ofstream(home + "/.local") << "a file where a folder belongs";
    EXPECT_FALSE(MakeFoldersBelow(home, scores, &error));
    EXPECT_EQ(error, "cannot create the folder " + home + "/.local/share: Not a directory");

    fs::remove(home + "/.local");
    ASSERT_TRUE(MakeFoldersBelow(home, scores, &error)) << error;
    EXPECT_TRUE(fs::is_directory(scores));
    EXPECT_EQ(fs::status(home + "/.local").permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_TRUE(MakeFoldersBelow(home, scores, &error));  // all there already
}

// Processes merging at the same time, entry by entry: not one entry is lost.
TEST_F(ScoreFileTest, GamesMergingAtOnceKeepEveryEntry)
{
    LoadText("1\n");
    std::vector<pid_t> children;
    for (int player = 0; player < 2; ++player) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool ok = true;
            for (int i = 0; i < 25; ++i) {
                int slot = i % 2 == 0 ? 0 : 5;
                saved.scoreValues[slot] = 100 + i * 2 + player;
                std::snprintf(saved.scoreNames[slot], kScoreNameSize, "p%d-%d", player, i);
                RecordPlacedEntry(slot);
                // As the game does: a held lock is tried again, anything else is a failure.
                bool merged = MergeScores(file, false);
                while (!merged && ScoreFileBusy()) {
                    usleep(1000);
                    merged = MergeScores(file, false);
                }
                ok = merged && ok;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    LoadScores(file);
    // The best five of each table over both players' 13 and 12 entries.
    ExpectTables(1, {149, 148, 145, 144, 141, 147, 146, 143, 142, 139},
                 {"p1-24", "p0-24", "p1-22", "p0-22", "p1-20",
                  "p1-23", "p0-23", "p1-21", "p0-21", "p1-19"});

    // Five games at once, each placing one name in each table: the ten names fill both
    // tables, so any save that wrote over another's loses one. Also with the lock path
    // taken by a folder, where the folder's own lock stands in.
    for (bool lockPathAFolder : {false, true}) {
        for (int round = 0; round < 10; ++round) {
            fs::remove(path);
            fs::remove_all(path + ".lock");
            if (lockPathAFolder)
                fs::create_directory(path + ".lock");
            LoadText("1\n");
            children.clear();
            for (int player = 0; player < 5; ++player) {
                pid_t child = fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    for (int slot : {0, 5}) {
                        saved.scoreValues[slot] = 100 + player;
                        std::snprintf(saved.scoreNames[slot], kScoreNameSize, "p%d", player);
                        RecordPlacedEntry(slot);
                    }
                    bool merged = MergeScores(file, false);
                    while (!merged && ScoreFileBusy())
                        merged = MergeScores(file, false);
                    _exit(merged ? 0 : 1);
                }
                children.push_back(child);
            }
            for (pid_t child : children) {
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            }
            LoadScores(file);
            ExpectTables(1, {104, 103, 102, 101, 100, 104, 103, 102, 101, 100},
                         {"p4", "p3", "p2", "p1", "p0", "p4", "p3", "p2", "p1", "p0"});
            if (HasFailure())
                return;
        }
    }
}

// The write never follows a planted link or reuses a fixed name; a symlinked score file
// is written through and stays a link; the file keeps its permissions.
TEST_F(ScoreFileTest, WritesThroughALinkNeverThroughAPlantedTemporary)
{
    fs::path elsewhere = folder / "synced";
    fs::create_directory(elsewhere);
    fs::path real = elsewhere / "real.txt";
    std::ofstream(real) << kFilledText;
    chmod(real.c_str(), 0600);
    fs::create_symlink("synced/real.txt", path);
    fs::path victim = folder / "victim";
    std::ofstream(victim) << "precious";
    fs::create_symlink(victim, path + ".tmp");
    fs::create_symlink(victim, real.string() + ".tmp");
    // A killed save's leftover, a minute old; and another game's temporary file in flight,
    // which that game holds locked while it writes.
    std::string leftover = real.string() + ".tmp-99-0";
    std::string inFlight = real.string() + ".tmp-98-0";
    std::ofstream(leftover) << "half a table from a killed save";
    std::ofstream(inFlight) << "another game's save, under way";
    int writing = open(inFlight.c_str(), O_RDONLY);
    ASSERT_EQ(flock(writing, LOCK_EX), 0);
    timespec minuteAgo[2] = {{std::time(nullptr) - 61, 0}, {std::time(nullptr) - 61, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, leftover.c_str(), minuteAgo, 0), 0);
    ASSERT_EQ(utimensat(AT_FDCWD, inFlight.c_str(), minuteAgo, 0), 0);

    ASSERT_TRUE(LoadScores(file));
    ExpectFilledTables();
    saved.scoreValues[0] = 999;
    ASSERT_TRUE(SaveScores(file));

    EXPECT_EQ(ReadFile(victim.string()), "precious");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(ReadFile(real.string()).substr(0, 6), "7\n999\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    // Leftovers beside the real file are cleaned up; the lock lies beside it too.
    EXPECT_FALSE(fs::exists(fs::symlink_status(real.string() + ".tmp")));
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(inFlight));
    close(writing);
    EXPECT_TRUE(fs::exists(real.string() + ".lock"));
}

#endif  // !_WIN32

#ifdef _WIN32
// The same guarantees on Windows, where another program holding the file open stands in
// for a file the game may not read or replace.

HANDLE OpenSharingNothing(const std::string& file)
{
    return CreateFileW(fs::path(file).wstring().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Run as a second process by the lock test (FLIPORA_HOLD_LOCK names the score file), before
// googletest starts: another game in the middle of its save, holding the lock until told.
int HoldLockIfAsked()
{
    const char* target = std::getenv("FLIPORA_HOLD_LOCK");
    if (!target)
        return 0;
    std::string file = target;
    HANDLE lock = CreateFileW(fs::path(file + ".lock").wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED whole{};
    bool held = lock != INVALID_HANDLE_VALUE &&
                LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole);
    std::ofstream(file + ".held") << (held ? "held" : "failed");
    for (int wait = 0; wait < 600 && !fs::exists(file + ".release"); ++wait)
        Sleep(50);
    ExitProcess(held ? 0 : 1);
}
const int kLockHolder = HoldLockIfAsked();

// In a folder whose name is not ASCII, as a player's user folder may be.
TEST_F(ScoreFileTest, WindowsWritesCrLfLinesThatReadBack)
{
    fs::path player = folder / fs::path(u8"Zo\u00eb");
    fs::create_directory(player);
    std::u8string utf8 = (player / "Scores.txt").u8string();
    std::string where(utf8.begin(), utf8.end());
    file.path = where;
    FillTables();
    ASSERT_TRUE(SaveScores(file));
    std::ifstream in(player / "Scores.txt", std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::string crlf;
    for (const char* c = kFilledText; *c; ++c)
        crlf += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    EXPECT_EQ(bytes, crlf);
    game = GameState{};
    ASSERT_TRUE(LoadScores(file));
    ExpectFilledTables();
}

// The new file cannot take the old one's place: the old table stays byte for byte, no
// temporary is left, and once the file is free the save goes through.
TEST_F(ScoreFileFailureTest, WindowsFailedReplacementKeepsTheOldFile)
{
    HANDLE held = OpenSharingNothing(path);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    bool saved = SaveScores(file);
    std::string why = ScoreFileError();
    CloseHandle(held);
    EXPECT_FALSE(saved);
    EXPECT_NE(why, "");
    ExpectOldFileKept();
    ASSERT_TRUE(SaveScores(file));
    EXPECT_EQ(ReadFile(path).substr(0, 8), "7\n12345\n");
}

// A folder, or a file another program held when the game started, is never written over.
TEST_F(ScoreFileTest, WindowsAFileThatCannotBeReadIsNeverWrittenOver)
{
    fs::create_directory(folder / "data");
    WriteFile(kFilledText);
    std::string inFolder = (folder / "data").string();
    for (bool asFolder : {true, false}) {
        file.path = asFolder ? inFolder : path;
        HANDLE held = asFolder ? INVALID_HANDLE_VALUE : OpenSharingNothing(path);
        ASSERT_TRUE(asFolder || held != INVALID_HANDLE_VALUE);
        FillTables();
        EXPECT_FALSE(LoadScores(file)) << file.path;
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_TRUE(ScoreFileUnreadable());
        if (asFolder)
            EXPECT_STREQ(ScoreFileError(), "it is a folder");
        else
            EXPECT_STRNE(ScoreFileError(), "");
        ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});

        saved.scoreValues[0] = 77;
        RecordPlacedEntry(0);
        EXPECT_FALSE(SaveScores(file));
        EXPECT_FALSE(MergeScores(file, true));
        EXPECT_EQ(UnsavedEntryCount(), 1);
    }
    EXPECT_TRUE(fs::is_empty(folder / "data"));
    EXPECT_EQ(ReadFile(path), kFilledText);
    ExpectNoTemporaryFile();
}

// Another process holds the lock: the merge does not wait, fails as busy and keeps the
// entry, and once the lock is free works on what that one wrote.
TEST_F(ScoreFileTest, WindowsMergeNeverWaitsForALockHeldByAnotherProcess)
{
    LoadText(kFilledText);
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    std::wstring command = L"\"" + self + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    SetEnvironmentVariableA("FLIPORA_HOLD_LOCK", path.c_str());
    BOOL started = CreateProcessW(self.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &child);
    SetEnvironmentVariableA("FLIPORA_HOLD_LOCK", nullptr);
    ASSERT_TRUE(started);
    for (int wait = 0; wait < 600 && !fs::exists(path + ".held"); ++wait)
        Sleep(50);
    ASSERT_EQ(ReadFile(path + ".held"), "held");

    saved.scoreValues[0] = 1000;
    std::strcpy(saved.scoreNames[0], "first");
    RecordPlacedEntry(0);
    EXPECT_FALSE(MergeScores(file, false));
    EXPECT_TRUE(ScoreFileBusy());
    EXPECT_STREQ(ScoreFileError(), "another game keeps it locked");
    EXPECT_EQ(UnsavedEntryCount(), 1);
    EXPECT_EQ(ReadFile(path), kFilledText);  // not written while the lock is held

    WriteFile("8\n" + std::string(kFilledText).substr(2));
    std::ofstream(path + ".release") << "go";
    DWORD exitCode = 1;
    WaitForSingleObject(child.hProcess, 30000);
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_EQ(exitCode, 0u);
    ASSERT_TRUE(MergeScores(file, false));
    EXPECT_FALSE(ScoreFileBusy());
    EXPECT_EQ(ReadFile(path).substr(0, 23), "8\n1000\n900\n800\n700\n600\n");
}
#endif  // _WIN32

// Damaged files of every kind: reading always ends, the counter is usable, every name
// stays terminated inside its slot, and whatever was read writes back and reads the same.
class ScoreFileFuzzTest : public ScoreFileTest {
protected:
    std::string Piece(std::mt19937& random)
    {
        auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
        switch (pick(12)) {
        case 0: {
            std::string bytes(pick(40), '\0');
            for (char& c : bytes)
                c = static_cast<char>(random() & 0xFF);
            return bytes;
        }
        case 1: return std::string(200 + pick(800), static_cast<char>('!' + pick(90)));
        case 2: return "99999999999999999999999999\n";
        case 3: return "-0x7fffffffffffffffffff\n";
        case 4: return "/ comment " + std::to_string(random()) + "\n";
        case 5: return pick(2) ? "\r\n" : "\r";
        case 6: return "\n";
        case 7: return std::string(1, '\0') + "nul\n";
        case 8: return " /slash\n";
        case 9: return std::to_string(static_cast<int32_t>(random())) + "\n";
        case 10: return std::string(pick(300), ' ') + "w" + std::to_string(pick(99)) + "\r\n";
        default: return "name" + std::to_string(pick(1000)) + " rest\n";
        }
    }

    std::string MangledFile(std::mt19937& random)
    {
        std::string text;
        int pieces = static_cast<int>(random() % 60);
        for (int i = 0; i < pieces; ++i)
            text += Piece(random);
        if (random() % 3 == 0 && !text.empty())
            text.resize(random() % text.size());  // cut off anywhere
        return text;
    }

    static void ExpectSane()
    {
        EXPECT_GE(saved.gameCounter, 1);
        for (const auto& name : saved.scoreNames) {
            const void* end = std::memchr(name, '\0', kScoreNameSize);
            ASSERT_NE(end, nullptr);
            EXPECT_EQ(std::strcspn(name, " \t\r\n\v\f"), std::strlen(name)) << name;
        }
    }
};

TEST_F(ScoreFileFuzzTest, MangledFilesAlwaysLoadSafely)
{
    std::mt19937 random(20240611u);
    for (int round = 0; round < 3000; ++round) {
        std::string text = MangledFile(random);
        LoadText(text);
        ExpectSane();
        // Only a NUL byte makes a file no text; such a file is never written over.
        if (ScoreFileUnreadable()) {
            ASSERT_NE(text.find('\0'), std::string::npos) << "round " << round;
            ASSERT_FALSE(SaveScores(file));
            std::ifstream in(path, std::ios::binary);
            ASSERT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
            continue;
        }
        if (round % 10 != 0)
            continue;
        SavedScores first = saved;
        ASSERT_TRUE(SaveScores(file));
        game = GameState{};
        saved = SavedScores{};
        LoadScores(file);
        ASSERT_EQ(saved.gameCounter, first.gameCounter) << "round " << round;
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            ASSERT_EQ(saved.scoreValues[slot], first.scoreValues[slot]) << "round " << round;
            ASSERT_STREQ(saved.scoreNames[slot], first.scoreNames[slot]) << "round " << round;
        }
        if (HasFailure())
            return;
    }
}

}  // namespace
