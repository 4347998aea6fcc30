// Typing a name after a placed game and inserting it into its table.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/constants.h"
#include "game/game_state.h"
#include "game/rules.h"

namespace {

class NameEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        saved = SavedScores{};
        const char* names[kScoreSlots] = {"n0", "n1", "n2", "n3", "n4",
                                          "t5", "t6", "t7", "t8", "t9"};
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            saved.scoreValues[slot] = 1000 - slot * 10;
            std::strcpy(saved.scoreNames[slot], names[slot]);
        }
        saved.gameCounter = 5;
        game.gameOver = true;
        game.finalRank = 2;
        game.finalScore = 985;
    }

    // The slots the keys placed an entry in, for the score file.
    std::vector<int> placed;

    void Type(std::initializer_list<int> keys)
    {
        for (int key : keys) {
            int slot = HandleNameKey(key).placedSlot;
            if (slot >= 0)
                placed.push_back(slot);
        }
    }

    static std::string Buffer() { return std::string(game.nameBuffer, kNameBufferSize); }

    // What the rules do once the blocks have turned back after Enter.
    static void StartNewGame()
    {
        StartNextBoard();
        game.gameOver = true;  // ... and the next game ends placed at once
    }

    static void ExpectTable(const int (&values)[kScoreSlots],
                            const char* const (&names)[kScoreSlots])
    {
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            EXPECT_EQ(saved.scoreValues[slot], values[slot]) << "slot " << slot;
            EXPECT_STREQ(saved.scoreNames[slot], names[slot]) << "slot " << slot;
        }
    }
};

TEST_F(NameEntryTest, LettersAreLowerCaseAndDigitsStayDigits)
{
    Type({'A', 'B', '1'});
    EXPECT_STREQ(game.nameBuffer, "ab1");
    EXPECT_EQ(game.nameLength, 3);
}

TEST_F(NameEntryTest, MapsEveryCodeAtTheEdgesOfTheTypedRange)
{
    const struct {
        int code;
        int stored;  // 0: ignored
    } cases[] = {{31, 0}, {32, ' '}, {64, '@'}, {65, 'a'}, {90, 'z'},
                 {91, '['}, {125, '}'}, {126, 0}, {-1, 0}, {1000, 0}};
    for (const auto& c : cases) {
        game.nameLength = 0;
        std::memset(game.nameBuffer, 0, kNameBufferSize);
        HandleNameKey(c.code);
        EXPECT_EQ(game.nameLength, c.stored ? 1 : 0) << c.code;
        EXPECT_EQ(game.nameBuffer[0], static_cast<char>(c.stored)) << c.code;
    }
}

TEST_F(NameEntryTest, TenCharactersAtMostAndBackspaceLeavesABlank)
{
    for (int i = 0; i < 10; ++i)
        HandleNameKey('A' + i);
    HandleNameKey('Z');  // the eleventh is ignored
    EXPECT_EQ(Buffer(), std::string("abcdefghij\0\0", kNameBufferSize));
    EXPECT_EQ(game.nameLength, 10);

    HandleNameKey(kKeyBackspace);  // removes the tenth
    EXPECT_EQ(game.nameLength, 9);
    EXPECT_EQ(Buffer(), std::string("abcdefghi \0\0", kNameBufferSize));
    HandleNameKey('Q');
    EXPECT_STREQ(game.nameBuffer, "abcdefghiq");
}

TEST_F(NameEntryTest, BackspaceWithNothingTypedChangesNothing)
{
    HandleNameKey(kKeyBackspace);
    EXPECT_EQ(game.nameLength, 0);
    EXPECT_EQ(Buffer(), std::string(kNameBufferSize, '\0'));

    Type({'X', kKeyEnter});
    StartNewGame();
    HandleNameKey(kKeyBackspace);  // over the blank left by the confirmed name
    EXPECT_EQ(game.nameLength, 0);
    EXPECT_EQ(Buffer(), std::string(" \0\0\0\0\0\0\0\0\0\0\0", kNameBufferSize));
}

TEST_F(NameEntryTest, EnterPlacesTheEntryAndStartsANewGame)
{
    Type({'J', 'O', kKeyEnter});
    ExpectTable({1000, 990, 985, 980, 970, 950, 940, 930, 920, 910},
                {"n0", "n1", "jo", "n2", "n3", "t5", "t6", "t7", "t8", "t9"});
    EXPECT_EQ(Buffer(), std::string("  \0\0\0\0\0\0\0\0\0\0", kNameBufferSize));
    EXPECT_EQ(game.nameLength, 0);
    EXPECT_TRUE(game.newGameRequested);
    EXPECT_TRUE(game.reshufflePending);  // ResetRound ran
    EXPECT_EQ(saved.gameCounter, 6);
}

TEST_F(NameEntryTest, EnterWithNothingTypedSinceStartStoresTheEmptyName)
{
    game.finalRank = 7;
    game.finalScore = 935;
    HandleNameKey(kKeyEnter);
    ExpectTable({1000, 990, 980, 970, 960, 950, 940, 935, 930, 920},
                {"n0", "n1", "n2", "n3", "n4", "t5", "t6", "", "t7", "t8"});
    EXPECT_TRUE(game.newGameRequested);
}

TEST_F(NameEntryTest, AShorterNameKeepsTheBlanksOfALongerOne)
{
    Type({'A', 'L', 'I', 'C', 'E', kKeyEnter});
    StartNewGame();
    game.finalRank = 0;
    game.finalScore = 2000;
    Type({'B', 'O', kKeyEnter});
    EXPECT_STREQ(saved.scoreNames[0], "bo   ");
    EXPECT_STREQ(saved.scoreNames[1], "n0");
    EXPECT_STREQ(saved.scoreNames[3], "alice");

    // Enter with nothing typed now stores the five blanks.
    StartNewGame();
    game.finalRank = 4;
    HandleNameKey(kKeyEnter);
    EXPECT_STREQ(saved.scoreNames[4], "     ");
}

TEST_F(NameEntryTest, ShiftMovesOnlyTheRankedTable)
{
    const struct {
        int rank;
        int values[kScoreSlots];
        const char* names[kScoreSlots];
    } cases[] = {
        {0, {1000, 1000, 990, 980, 970, 950, 940, 930, 920, 910},
         {"n0", "n0", "n1", "n2", "n3", "t5", "t6", "t7", "t8", "t9"}},
        {4, {1000, 990, 980, 970, 960, 950, 940, 930, 920, 910},
         {"n0", "n1", "n2", "n3", "n4", "t5", "t6", "t7", "t8", "t9"}},
        {5, {1000, 990, 980, 970, 960, 950, 950, 940, 930, 920},
         {"n0", "n1", "n2", "n3", "n4", "t5", "t5", "t6", "t7", "t8"}},
        {9, {1000, 990, 980, 970, 960, 950, 940, 930, 920, 910},
         {"n0", "n1", "n2", "n3", "n4", "t5", "t6", "t7", "t8", "t9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rank);
        SetUp();
        game.finalRank = c.rank;
        ShiftScoreTable();
        ExpectTable(c.values, c.names);
    }
}

TEST_F(NameEntryTest, RankAtTheTableEndReplacesOnlyItsLastEntry)
{
    for (int rank : {4, 9}) {
        SCOPED_TRACE(rank);
        SetUp();
        game.finalRank = rank;
        game.finalScore = 1;
        Type({'Z', kKeyEnter});
        EXPECT_EQ(saved.scoreValues[rank], 1);
        EXPECT_STREQ(saved.scoreNames[rank], "z");
        EXPECT_STREQ(saved.scoreNames[rank - 1], rank == 4 ? "n3" : "t8");
        EXPECT_STREQ(saved.scoreNames[rank == 4 ? 9 : 4], rank == 4 ? "t9" : "n4");
    }
}

TEST_F(NameEntryTest, ASecondEnterOfTheSameGameInsertsNothing)
{
    game.finalRank = 0;
    Type({'A', kKeyEnter});
    SavedScores afterFirst = saved;
    Type({'B', kKeyEnter, kKeyEnter});
    // Each placed entry is handed once to the save that follows.
    EXPECT_EQ(placed, std::vector<int>{0});
    for (int slot = 0; slot < kScoreSlots; ++slot) {
        EXPECT_EQ(saved.scoreValues[slot], afterFirst.scoreValues[slot]);
        EXPECT_STREQ(saved.scoreNames[slot], afterFirst.scoreNames[slot]);
    }
    EXPECT_EQ(saved.gameCounter, afterFirst.gameCounter);  // no second ResetRound

    // Typing before the new game is dealt still goes into the buffer, which the next
    // name entry carries on from.
    EXPECT_EQ(Buffer(), std::string("b\0\0\0\0\0\0\0\0\0\0\0", kNameBufferSize));
    EXPECT_EQ(game.nameLength, 1);
    Type({kKeyBackspace, 'C'});
    EXPECT_EQ(Buffer(), std::string("c\0\0\0\0\0\0\0\0\0\0\0", kNameBufferSize));

    // The next finished game takes its entry again.
    StartNewGame();
    game.finalRank = 0;
    game.finalScore = 3000;
    Type({'D', kKeyEnter});
    EXPECT_STREQ(saved.scoreNames[0], "cd");
    EXPECT_EQ(placed, (std::vector<int>{0, 0}));
    EXPECT_STREQ(saved.scoreNames[1], "a");
}

TEST_F(NameEntryTest, ARankOutsideTheTablesTouchesNothing)
{
    for (int rank : {-1, 10, 1000, INT32_MIN}) {
        SCOPED_TRACE(rank);
        SetUp();
        game.finalRank = rank;
        SavedScores before = saved;
        ShiftScoreTable();
        Type({'A', kKeyEnter});
        for (int slot = 0; slot < kScoreSlots; ++slot) {
            EXPECT_EQ(saved.scoreValues[slot], before.scoreValues[slot]);
            EXPECT_STREQ(saved.scoreNames[slot], before.scoreNames[slot]);
        }
        EXPECT_FALSE(game.newGameRequested);
    }
}

}  // namespace
