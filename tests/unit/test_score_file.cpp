// The score file: the exact text written, what hand-edited and damaged files read as,
// and that a failed write never costs the table that was there.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <sys/resource.h>

#include "game/game_state.h"
#include "scores/scores.h"

namespace fs = std::filesystem;

namespace {

class ScoreFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        std::string pattern = (fs::temp_directory_path() / "flipora_scores_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (folder / "Scores.txt").string();
        scoreFilePath = path.c_str();
    }

    void TearDown() override
    {
        scoreFilePath = "data/Scores.txt";
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Byte for byte: binary mode, so CR stays CR.
    void WriteFile(const std::string& text)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }

    std::string ReadFile(const std::string& from)
    {
        std::ifstream in(from, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void LoadText(const std::string& text)
    {
        WriteFile(text);
        LoadScores();
    }

    // A full table with a distinct entry in every slot.
    static void FillTables()
    {
        const int values[kScoreSlots] = {900, 800, 700, 600, 500, 1310, 1206, 905, 810, 0};
        const char* names[kScoreSlots] = {"ann", "bob", "cy", "dee", "eve",
                                          "fay", "gus", "hal", "ivy", "jo"};
        game.gameCounter = 7;
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            game.scoreValues[slot] = values[slot];
            std::strcpy(game.scoreNames[slot], names[slot]);
        }
    }

    static void ExpectTables(int counter, const int (&values)[kScoreSlots],
                             const char* const (&names)[kScoreSlots])
    {
        EXPECT_EQ(game.gameCounter, counter);
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            EXPECT_EQ(game.scoreValues[slot], values[slot]) << "slot " << slot;
            EXPECT_STREQ(game.scoreNames[slot], names[slot]) << "slot " << slot;
        }
    }

    static void ExpectFilledTables()
    {
        ExpectTables(7, {900, 800, 700, 600, 500, 1310, 1206, 905, 810, 0},
                     {"ann", "bob", "cy", "dee", "eve", "fay", "gus", "hal", "ivy", "jo"});
    }

    fs::path folder;
    std::string path;
};

const char* const kFilledText =
    "7\n900\n800\n700\n600\n500\nann\nbob\ncy\ndee\neve\n"
    "1310\n1206\n905\n810\n0\nfay\ngus\nhal\nivy\njo\n";

TEST_F(ScoreFileTest, WritesTheTwentyOneLinesAndReadsThemBack)
{
    FillTables();
    ASSERT_TRUE(SaveScores());
    EXPECT_EQ(ReadFile(path), kFilledText);
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    game = GameState{};
    LoadScores();
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
    EXPECT_EQ(game.gameCounter, 3);
    EXPECT_EQ(game.scoreValues[0], 8);
    EXPECT_EQ(game.scoreValues[1], 31);
    EXPECT_EQ(game.scoreValues[2], 12);
    EXPECT_EQ(game.scoreValues[3], -16);
    EXPECT_EQ(game.scoreValues[4], -7);
    // Out of the int range: clamped, never wrapped into a plausible-looking score.
    EXPECT_EQ(game.scoreValues[5], INT32_MAX);
    EXPECT_EQ(game.scoreValues[6], INT32_MIN);
    EXPECT_EQ(game.scoreValues[7], 0);  // "0x": the 0 converts, the x does not
    EXPECT_EQ(game.scoreValues[8], 0);  // "09": octal stops at 9
    EXPECT_EQ(game.scoreValues[9], 0);  // nothing converts: the slot keeps its 0

    ASSERT_TRUE(SaveScores());
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
    ASSERT_TRUE(SaveScores());
    EXPECT_EQ(ReadFile(path), kFilledText);
}

TEST_F(ScoreFileTest, SplitsLinesLongerThan254Characters)
{
    // 254 characters and the line end: one data line (the left-over line end is an
    // empty line). 300 characters: 254, then 46 as a further data line.
    std::string exact(254, 'e');
    std::string longer = std::string(254, 'a') + std::string(46, 'b');
    LoadText("1\n1\n2\n3\n4\n5\n" + exact + "\n" + longer + "\nc\nd\ne\n6\n7\n8\n9\n10\nf\ng\nh\ni\nj\n");
    EXPECT_STREQ(game.scoreNames[0], exact.c_str());
    EXPECT_STREQ(game.scoreNames[1], std::string(254, 'a').c_str());
    EXPECT_STREQ(game.scoreNames[2], std::string(46, 'b').c_str());
    EXPECT_STREQ(game.scoreNames[3], "c");
    EXPECT_STREQ(game.scoreNames[4], "d");
    EXPECT_EQ(game.scoreValues[5], 0);  // "e" stood where the first time-trial score is read
    EXPECT_EQ(game.scoreValues[6], 6);
}

TEST_F(ScoreFileTest, ReadDataLineHandsOutPiecesAndEndsAtTheEnd)
{
    WriteFile("/c\n\n" + std::string(300, 'x') + "\r\n\r\nlast");
    FILE* file = std::fopen(path.c_str(), "r");
    ASSERT_NE(file, nullptr);
    char buffer[256];
    ASSERT_TRUE(ReadDataLine(file, buffer));
    EXPECT_EQ(std::string(buffer), std::string(254, 'x'));
    ASSERT_TRUE(ReadDataLine(file, buffer));
    EXPECT_EQ(std::string(buffer), std::string(46, 'x') + "\r\n");
    ASSERT_TRUE(ReadDataLine(file, buffer));
    EXPECT_STREQ(buffer, "last");
    EXPECT_FALSE(ReadDataLine(file, buffer));
    EXPECT_FALSE(ReadDataLine(file, buffer));
    std::fclose(file);
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
    LoadScores();
    ExpectTables(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {"", "", "", "", "", "", "", "", "", ""});
}

TEST_F(ScoreFileTest, TakesACounterBelowOneAsOne)
{
    for (const char* counter : {"0", "-5", "-2147483648", "none", "   "}) {
        LoadText(std::string(counter) + "\n5\n");
        EXPECT_EQ(game.gameCounter, 1) << counter;
        EXPECT_EQ(game.scoreValues[0], 5) << counter;
    }
}

TEST_F(ScoreFileTest, TheLargestCounterStillAdvancesWithoutOverflow)
{
    for (const char* counter : {"2147483647", "99999999999"}) {
        LoadText(std::string(counter) + "\n");
        ASSERT_LT(game.gameCounter, INT32_MAX) << counter;
        EXPECT_EQ(WrapCounter(game.gameCounter + 1, 99), INT32_MAX - 99) << counter;
    }
}

TEST_F(ScoreFileTest, CounterNinetyNineIsWrittenAsOneAtExit)
{
    FillTables();
    game.gameCounter = 99;
    // As the main loop does it just before the write.
    game.gameCounter = WrapCounter(game.gameCounter + 1, 99);
    ASSERT_TRUE(SaveScores());
    EXPECT_EQ(ReadFile(path).substr(0, 2), "1\n");
    LoadScores();
    EXPECT_EQ(game.gameCounter, 1);
}

TEST_F(ScoreFileTest, EmptyAndSlashNamesReadBackSlotForSlot)
{
    FillTables();
    std::strcpy(game.scoreNames[0], "");
    std::strcpy(game.scoreNames[2], "/x");
    std::strcpy(game.scoreNames[4], "/");
    std::strcpy(game.scoreNames[5], "");
    std::strcpy(game.scoreNames[9], "//");
    ASSERT_TRUE(SaveScores());
    EXPECT_EQ(ReadFile(path), "7\n900\n800\n700\n600\n500\n \nbob\n /x\ndee\n /\n"
                              "1310\n1206\n905\n810\n0\n \ngus\nhal\nivy\n //\n");
    game = GameState{};
    LoadScores();
    ExpectTables(7, {900, 800, 700, 600, 500, 1310, 1206, 905, 810, 0},
                 {"", "bob", "/x", "dee", "/", "", "gus", "hal", "ivy", "//"});
}

TEST_F(ScoreFileTest, TrailingBlanksAreWrittenAndReadBackWithout)
{
    FillTables();
    std::strcpy(game.scoreNames[6], "xy   ");
    std::strcpy(game.scoreNames[7], "     ");
    ASSERT_TRUE(SaveScores());
    EXPECT_NE(ReadFile(path).find("\nfay\nxy   \n     \nivy\n"), std::string::npos);
    LoadScores();
    EXPECT_STREQ(game.scoreNames[6], "xy");
    EXPECT_STREQ(game.scoreNames[7], "");
    EXPECT_STREQ(game.scoreNames[8], "ivy");
}

TEST_F(ScoreFileTest, NamesAtTheSlotLimitKeepEveryLaterSlotInPlace)
{
    FillTables();
    std::string longest(254, 'n');
    std::string slashed(254, 's');
    slashed[0] = '/';
    std::strcpy(game.scoreNames[1], longest.c_str());
    std::strcpy(game.scoreNames[3], slashed.c_str());
    ASSERT_TRUE(SaveScores());
    LoadScores();
    EXPECT_STREQ(game.scoreNames[1], longest.c_str());
    // With its blank it would need 255 characters and split; it loses its last one.
    EXPECT_STREQ(game.scoreNames[3], slashed.substr(0, 253).c_str());
    EXPECT_STREQ(game.scoreNames[4], "eve");
    EXPECT_EQ(game.scoreValues[5], 1310);
    EXPECT_STREQ(game.scoreNames[9], "jo");
}

// The old table must survive every failed write, byte for byte, with no temp file left.
class ScoreFileFailureTest : public ScoreFileTest {
protected:
    void SetUp() override
    {
        ScoreFileTest::SetUp();
        WriteFile("// kept\n" + std::string(kFilledText));
        FillTables();
        game.scoreValues[0] = 12345;
    }

    void ExpectOldFileKept()
    {
        EXPECT_EQ(ReadFile(path), "// kept\n" + std::string(kFilledText));
        EXPECT_FALSE(fs::exists(path + ".tmp"));
    }
};

TEST_F(ScoreFileFailureTest, MissingFolderReturnsFalse)
{
    std::string inMissing = (folder / "missing" / "Scores.txt").string();
    scoreFilePath = inMissing.c_str();
    EXPECT_FALSE(SaveScores());
    EXPECT_FALSE(fs::exists(inMissing));
    ExpectOldFileKept();
}

TEST_F(ScoreFileFailureTest, TargetThatIsAFolderStaysAndNoTempIsLeft)
{
    std::string asFolder = (folder / "Taken").string();
    fs::create_directory(asFolder);
    fs::path inside = fs::path(asFolder) / "keep";
    std::ofstream(inside) << "x";
    scoreFilePath = asFolder.c_str();
    EXPECT_FALSE(SaveScores());
    EXPECT_TRUE(fs::is_directory(asFolder));
    EXPECT_TRUE(fs::exists(inside));
    EXPECT_FALSE(fs::exists(asFolder + ".tmp"));
    ExpectOldFileKept();
}

// A file-size limit makes the writes themselves fail, as a full disk would.
TEST_F(ScoreFileFailureTest, FailedWriteKeepsTheOldFile)
{
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 16;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = SaveScores();
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    ExpectOldFileKept();

    ASSERT_TRUE(SaveScores());  // and once the disk has room again, it writes
    EXPECT_EQ(ReadFile(path).substr(0, 8), "7\n12345\n");
}

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
        EXPECT_GE(game.gameCounter, 1);
        for (const auto& name : game.scoreNames) {
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
        if (round % 10 != 0)
            continue;
        GameState first = game;
        ASSERT_TRUE(SaveScores());
        game = GameState{};
        LoadScores();
        ASSERT_EQ(game.gameCounter, first.gameCounter) << "round " << round;
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            ASSERT_EQ(game.scoreValues[slot], first.scoreValues[slot]) << "round " << round;
            ASSERT_STREQ(game.scoreNames[slot], first.scoreNames[slot]) << "round " << round;
        }
        if (HasFailure())
            return;
    }
}

}  // namespace
