#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>

#include "tests/unit/test_rules_fixture.h"

using StateTest = RulesTest;

TEST_F(StateTest, FreshRecordIsATimeTrialWithSoundOffAndNoRank)
{
    ExpectModeAndSound(true, 0, 5, false, 1);
    EXPECT_EQ(Clock(), "2:00");
    EXPECT_EQ(game.finalRank, -1);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_STREQ(frameRate.text, "");
    for (const Block& block : game.blocks) {
        EXPECT_EQ(block.direction, 1.0f);
        EXPECT_FALSE(block.animating);
        EXPECT_EQ(block.angle, 0.0f);
    }
    for (const MenuButton& button : game.buttons) {
        EXPECT_EQ(button.direction, 1.0f);
        EXPECT_EQ(button.depth, 0.0f);
    }
}

TEST_F(StateTest, BlockPositionsAreTheFixedGrid)
{
    const float xs[4] = {-14.0f, -7.6f, -1.2f, 5.2f};
    const float ys[4] = {9.6f, 3.2f, -3.2f, -9.6f};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const float* p = blockPositions[row * 4 + column];
            EXPECT_EQ(p[0], xs[column]) << row << "," << column;
            EXPECT_EQ(p[1], ys[row]) << row << "," << column;
            EXPECT_EQ(p[2], -50.0f);
        }
    }
}

TEST(BoardTest, EveryBoardFillsTheStandardSquareAndKeepsItsGaps)
{
    for (int i = 0; i < kBlockCount; ++i) {
        BlockPlace place = BlockPlaceOf(kStandardBoard, i);
        EXPECT_EQ(static_cast<float>(place.x), blockPositions[i][0]);
        EXPECT_EQ(static_cast<float>(place.y), blockPositions[i][1]);
        EXPECT_EQ(static_cast<float>(place.z), blockPositions[i][2]);
        EXPECT_EQ(place.scale, 1.0);
    }
    // The standard square: -17 .. 8.2 across, -12.6 .. 12.6 up.
    const double left = -17.0, right = 8.2, bottom = -12.6, top = 12.6, eps = 1e-9;
    for (BoardSize board : kOfferedBoards) {
        SCOPED_TRACE(BoardName(board));
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (int i = 0; i < board.Blocks(); ++i) {
            BlockPlace place = BlockPlaceOf(board, i);
            double half = 3.0 * place.scale;
            minX = std::min(minX, place.x - half);
            maxX = std::max(maxX, place.x + half);
            minY = std::min(minY, place.y - half);
            maxY = std::max(maxY, place.y + half);
            EXPECT_EQ(place.z, -50.0);
            // Row-major, row 0 at the top; neighbours 0.4 standard units apart, scaled.
            if (i % board.columns > 0) {
                EXPECT_NEAR(place.x - BlockPlaceOf(board, i - 1).x, 6.4 * place.scale, eps);
            }
            if (i >= board.columns) {
                EXPECT_NEAR(BlockPlaceOf(board, i - board.columns).y - place.y, 6.4 * place.scale,
                            eps);
            }
        }
        EXPECT_GE(minX, left - eps);
        EXPECT_LE(maxX, right + eps);
        EXPECT_GE(minY, bottom - eps);
        EXPECT_LE(maxY, top + eps);
        EXPECT_NEAR((minX + maxX) / 2, (left + right) / 2, eps);
        EXPECT_NEAR((minY + maxY) / 2, 0.0, eps);
        // The longer side spans the square.
        EXPECT_NEAR(std::max(maxX - minX, maxY - minY), right - left, eps);
    }
}

TEST(BoardTest, BlockNamesStayClearOfTheButtonsAndComeBack)
{
    for (BoardSize board : kOfferedBoards) {
        std::set<int32_t> names;
        for (int i = 0; i < board.Blocks(); ++i) {
            int32_t name = BlockName(i);
            EXPECT_TRUE(name < kNameNew || name > kNameExit) << BoardName(board) << " block " << i;
            EXPECT_EQ(BlockOfName(board, name), i);
            names.insert(name);
        }
        EXPECT_EQ(static_cast<int>(names.size()), board.Blocks());
        EXPECT_EQ(BlockOfName(board, BlockName(board.Blocks())), -1) << BoardName(board);
        for (int32_t other : {kNameNothing, kNameNew, kNameExit, kNameFirstBlock - 1})
            EXPECT_EQ(BlockOfName(board, other), -1);
    }
    for (int i = 0; i < kBlockCount; ++i)
        EXPECT_EQ(BlockName(i), 100 + i);  // the standard board's names as they always were
}

TEST(BoardTest, BoardNamesParseOnlyAsColumnsByRows)
{
    EXPECT_EQ(ParseBoardName("6x6"), (BoardSize{6, 6}));
    EXPECT_EQ(ParseBoardName("3x4"), (BoardSize{3, 4}));
    EXPECT_EQ(ParseBoardName("8x8"), (BoardSize{8, 8}));  // a board, if not one offered
    for (const char* bad : {"5x5", "", "x", "4x", "x4", "4X4", " 4x4", "4x4 ", "4x4x4", "-4x4",
                            "100x2", "0x4", "4x0", "four"})
        EXPECT_EQ(ParseBoardName(bad), std::nullopt) << '"' << bad << '"';
    for (BoardSize board : kOfferedBoards) {
        EXPECT_TRUE(IsOfferedBoard(board));
        EXPECT_EQ(ParseBoardName(BoardName(board)), board);
        EXPECT_EQ(board.Blocks() % 2, 0);
    }
    EXPECT_TRUE(IsOfferedBoard(kStandardBoard));
    EXPECT_FALSE(IsOfferedBoard({5, 5}));
}

TEST(WrapCounterTest, CorrectsByOnePeriodAtMost)
{
    EXPECT_EQ(WrapCounter(99 + 1, 99), 1);
    EXPECT_EQ(WrapCounter(0 + 1, 99), 1);
    EXPECT_EQ(WrapCounter(98 + 1, 99), 99);
    EXPECT_EQ(WrapCounter(250, 99), 151);
    EXPECT_EQ(WrapCounter(-5, 99), 94);
    EXPECT_EQ(WrapCounter(0, 99), 0);
}

TEST(ClampFloatTest, BoundsComeBackExactly)
{
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 190.0f), 180.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, -10.0f), 0.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 180.0f), 180.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 0.0f), 0.0f);
    EXPECT_EQ(ClampFloat(0.0f, 180.0f, 17.5f), 17.5f);
    volatile float tenth = 0.1f;  // keep the sum a run-time float addition
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, tenth + 0.2f), 0.3f);
}

TEST(ClampFloatTest, NanAndInfinitiesLandOnABound)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, nan), 0.0f);
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, inf), 0.3f);
    EXPECT_EQ(ClampFloat(0.0f, 0.3f, -inf), 0.0f);
    // A negative zero is not above lo, so the exact lo comes back.
    EXPECT_FALSE(std::signbit(ClampFloat(0.0f, 1.0f, -0.0f)));
}

TEST(ToggleDirectionTest, SwapsPlusAndMinusOne)
{
    EXPECT_EQ(ToggleDirection(1.0f), -1.0f);
    EXPECT_EQ(ToggleDirection(-1.0f), 1.0f);
}
