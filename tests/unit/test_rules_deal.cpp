#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "tests/unit/test_rules_fixture.h"

namespace {


// The deal worked out from the generator's formula alone, in 64-bit arithmetic, for a
// generator that has made `skipDraws` draws before: `blocks` blocks, blocks / 2 pairs.
// `drawsUsed` reports what it took.
std::vector<int> ExpectedPairs(int blocks, int counter, int skipDraws = 0, int* drawsUsed = nullptr)
{
    uint64_t state = 1;
    auto draw = [&state]() {
        state = (state * 214013 + 2531011) % (uint64_t{1} << 32);
        return static_cast<int>((state >> 16) % 32768);
    };
    for (int i = 0; i < skipDraws; ++i)
        draw();
    int pairs = blocks / 2;
    std::vector<int> deal;
    std::vector<int> used(static_cast<size_t>(pairs));
    int draws = 0;
    while (static_cast<int>(deal.size()) < blocks) {
        ++draws;
        int r = draw() % (pairs * counter + 1) / counter;
        if (r == pairs || used[static_cast<size_t>(r)] == 2)
            continue;
        ++used[static_cast<size_t>(r)];
        deal.push_back(r);
    }
    if (drawsUsed)
        *drawsUsed = draws;
    return deal;
}

std::array<int, kBlockCount> ExpectedDeal(int counter, int skipDraws = 0, int* drawsUsed = nullptr)
{
    std::vector<int> pairs = ExpectedPairs(kBlockCount, counter, skipDraws, drawsUsed);
    std::array<int, kBlockCount> deal{};
    std::copy(pairs.begin(), pairs.end(), deal.begin());
    return deal;
}

std::array<int, kBlockCount> DealtPairs()
{
    std::array<int, kBlockCount> pairs{};
    for (int i = 0; i < kBlockCount; ++i)
        pairs[i] = game.blocks[i].pair;
    return pairs;
}

}  // namespace

class DealTest : public RulesTest {
protected:
    void SetUp() override
    {
        RulesTest::SetUp();
        saved.gameCounter = 1;
    }
};

TEST_F(DealTest, GeneratorMatchesTheWindowsRunTime)
{
    // The first draws of the never-seeded Windows rand().
    const int known[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : known)
        EXPECT_EQ(DrawRandom(), value);
    RestartRandom();
    EXPECT_EQ(DrawRandom(), 41);
}

TEST_F(DealTest, EveryCounterDealsEightPairsWithTheirFaceLists)
{
    for (int counter = 1; counter <= 99; ++counter) {
        saved.gameCounter = counter;
        ShuffleBoard();
        int seen[kPairCount] = {};
        FrameView view = ViewOfGame();
        for (int i = 0; i < kBlockCount; ++i) {
            const Block& block = game.blocks[i];
            ASSERT_GE(block.pair, 0);
            ASSERT_LT(block.pair, kPairCount);
            ++seen[block.pair];
            EXPECT_EQ(view.blockPairs[i], block.pair);
        }
        for (int count : seen)
            EXPECT_EQ(count, 2) << "counter " << counter;
    }
}

TEST_F(DealTest, FirstDealFollowsFromTheCounterAlone)
{
    for (int counter : {1, 2, 7, 50, 99}) {
        RestartRandom();
        saved.gameCounter = counter;
        ShuffleBoard();
        EXPECT_EQ(DealtPairs(), ExpectedDeal(counter)) << "counter " << counter;
    }
    // Counter 1 maps a draw to draw mod 9; the 8 of the second draw (18467) is discarded.
    RestartRandom();
    saved.gameCounter = 1;
    ShuffleBoard();
    EXPECT_EQ(game.blocks[0].pair, 41 % 9);
    EXPECT_EQ(game.blocks[1].pair, 6334 % 9);
}

TEST_F(DealTest, EveryBoardIsDealtAsTheCounterPredicts)
{
    for (BoardSize board : kOfferedBoards) {
        // Each board's largest workable counter, and one past it, which deals as 1.
        int largest = 32767 / (board.Pairs() - 1);
        for (int counter : {1, 2, 7, 50, 99, largest, largest + 1}) {
            RestartRandom();
            std::vector<int32_t> dealt(static_cast<size_t>(board.Blocks()), -1);
            DealPairs(board, counter, dealt.data());
            std::vector<int> expected =
                ExpectedPairs(board.Blocks(), counter > largest ? 1 : counter);
            EXPECT_TRUE(std::equal(dealt.begin(), dealt.end(), expected.begin()))
                << BoardName(board) << " counter " << counter;
            std::vector<int> seen(static_cast<size_t>(board.Pairs()));
            for (int32_t pair : dealt)
                ++seen.at(static_cast<size_t>(pair));
            EXPECT_EQ(std::count(seen.begin(), seen.end(), 2), board.Pairs()) << BoardName(board);
        }
    }
    // The standard board through DealPairs is ShuffleBoard's deal, draw for draw.
    RestartRandom();
    saved.gameCounter = 37;
    ShuffleBoard();
    int32_t again[kBlockCount];
    RestartRandom();
    DealPairs(kStandardBoard, 37, again);
    EXPECT_TRUE(std::equal(std::begin(again), std::end(again), DealtPairs().begin()));
}

TEST_F(DealTest, DealLeavesTurningStateAlone)
{
    game.blocks[3].angle = 120.0f;
    game.blocks[3].animating = true;
    game.blocks[3].direction = -1.0f;
    ShuffleBoard();
    EXPECT_EQ(game.blocks[3].angle, 120.0f);
    EXPECT_TRUE(game.blocks[3].animating);
    EXPECT_EQ(game.blocks[3].direction, -1.0f);
}

TEST_F(DealTest, GeneratorRunsOnAcrossDeals)
{
    saved.gameCounter = 5;
    int drawsForFirst = 0;
    std::array<int, kBlockCount> first = ExpectedDeal(5, 0, &drawsForFirst);
    ASSERT_GT(drawsForFirst, kBlockCount);  // some draws were discarded
    ShuffleBoard();
    EXPECT_EQ(DealtPairs(), first);
    ShuffleBoard();  // continues where the first deal left off
    EXPECT_EQ(DealtPairs(), ExpectedDeal(5, drawsForFirst));
}

TEST_F(DealTest, CounterOutsideTheWorkableRangeDealsAsOne)
{
    // 0 would divide by zero and a huge counter could never draw pair 7; both must
    // still finish a proper deal.
    for (int counter : {0, -3, 4682, 2000000000}) {
        RestartRandom();
        saved.gameCounter = counter;
        ShuffleBoard();
        EXPECT_EQ(DealtPairs(), ExpectedDeal(1)) << "counter " << counter;
        EXPECT_EQ(saved.gameCounter, counter);
    }
    RestartRandom();
    saved.gameCounter = 4681;  // the largest divisor that can still reach pair 7
    ShuffleBoard();
    EXPECT_EQ(DealtPairs(), ExpectedDeal(4681));
}

TEST_F(DealTest, ResetRoundTurnsEveryBlockBackAndAdvancesTheCounter)
{
    game.picksInTurn = 2;
    game.blocks[4].angle = 180.0f;
    game.blocks[4].animating = true;
    saved.gameCounter = 98;
    ResetRound();
    EXPECT_EQ(saved.gameCounter, 99);
    EXPECT_EQ(game.picksInTurn, 0);
    EXPECT_TRUE(game.reshufflePending);
    for (const Block& block : game.blocks) {
        EXPECT_EQ(block.direction, -1.0f);
        EXPECT_TRUE(block.animating);
    }
    EXPECT_EQ(game.blocks[4].angle, 180.0f);
    EXPECT_EQ(game.blocks[0].angle, 0.0f);
    ResetRound();
    EXPECT_EQ(saved.gameCounter, 1);

    // Next update: the face-up block starts down, the resting one stops at once.
    UpdateAnimations();
    EXPECT_EQ(game.blocks[4].angle, 170.0f);
    EXPECT_EQ(game.blocks[0].angle, 0.0f);
    EXPECT_FALSE(game.blocks[0].animating);
    EXPECT_EQ(game.blocks[0].direction, 1.0f);
}

TEST_F(DealTest, NextBoardWithoutNewGameKeepsClockAndCounters)
{
    SetClock(1, 3, 7);
    game.moves = 11;
    game.pairsOnBoard = 0;
    game.boardsCleared = 1;
    game.clockRunning = true;
    game.scoreInserted = true;
    StartNextBoard();
    EXPECT_EQ(Clock(), "1:37");
    EXPECT_EQ(game.moves, 11);
    EXPECT_EQ(game.boardsCleared, 1);
    EXPECT_TRUE(game.clockRunning);
    EXPECT_TRUE(game.scoreInserted);
    EXPECT_EQ(DealtPairs(), ExpectedDeal(1));
}

TEST_F(DealTest, NewGameResetsCountersClockAndFlagsOnly)
{
    game.newGameRequested = true;
    SetClock(0, 4, 2);
    game.finalScore = 960;
    game.moves = 25;
    game.pairsOnBoard = 3;
    game.boardsCleared = 3;
    game.clockRunning = true;
    game.gameOver = true;
    game.helpShown = true;
    game.scoreInserted = true;
    game.paused = true;
    game.pausedAlpha = 0.5f;
    game.gameOverAlpha = 1.0f;
    game.finalRank = 2;
    game.firstPick = 9;
    game.picksInTurn = 2;
    game.boardCleared = true;
    // What lasts for the program: the mode, the sound, the look, the keys, the clock's marks.
    game.timeTrial = false;
    game.soundOn = true;
    game.blendBlocks = true;
    game.clockHeld = true;
    game.clockStepped = true;
    game.lastSecondTicks = 777;
    game.nameLength = 3;
    game.buttons[1].depth = 0.2f;
    StartNextBoard();
    EXPECT_EQ(Clock(), "2:00");
    EXPECT_EQ(game.finalScore, 0);
    EXPECT_EQ(game.moves, 0);
    EXPECT_EQ(game.pairsOnBoard, 0);
    EXPECT_EQ(game.boardsCleared, 0);
    EXPECT_FALSE(game.clockRunning);
    EXPECT_FALSE(game.gameOver);
    EXPECT_FALSE(game.newGameRequested);
    EXPECT_FALSE(game.helpShown);
    EXPECT_FALSE(game.scoreInserted);  // the new game may place its own entry
    // Untouched by the reset.
    EXPECT_TRUE(game.paused);
    EXPECT_EQ(game.pausedAlpha, 0.5f);
    EXPECT_EQ(game.gameOverAlpha, 1.0f);
    EXPECT_EQ(game.finalRank, 2);
    EXPECT_EQ(game.firstPick, 9);
    EXPECT_EQ(game.picksInTurn, 2);
    EXPECT_TRUE(game.boardCleared);
    EXPECT_FALSE(game.timeTrial);
    EXPECT_TRUE(game.soundOn);
    EXPECT_TRUE(game.blendBlocks);
    EXPECT_TRUE(game.clockHeld);
    EXPECT_TRUE(game.clockStepped);
    EXPECT_EQ(game.lastSecondTicks, 777u);
    EXPECT_EQ(game.nameLength, 3);
    EXPECT_EQ(game.buttons[1].depth, 0.2f);
    EXPECT_EQ(DealtPairs(), ExpectedDeal(1));
}
