// Shared set-up for the rules tests: a fresh game record, the generator at its start
// and the platform stand-ins cleared, plus the few moves every rules test makes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/constants.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/null/null_platform.h"

class RulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = GameState{};
        frameRate = FrameRate{};
        saved = SavedScores{};
        keyboardHighlight = KeyboardHighlight{};
        RestartRandom();
        ResetFakePlatform();
    }

    // A board whose pairs are known without dealing: block i and block i + 8 match.
    static void LayKnownBoard()
    {
        for (int i = 0; i < kBlockCount; ++i)
            game.blocks[i].pair = i % kPairCount;
    }

    static void SetClock(int minutes, int tens, int ones)
    {
        game.minutes = minutes;
        game.secondsTens = tens;
        game.secondsOnes = ones;
    }

    // The countdown as the panel shows it, "m:ss".
    static std::string Clock()
    {
        return std::to_string(game.minutes) + ":" + std::to_string(game.secondsTens) +
               std::to_string(game.secondsOnes);
    }

    // The mode and the sound with the icons and the table that show them, as the
    // picture and the ranking read them.
    static void ExpectModeAndSound(bool timeTrial, int modeIcon, int tableOffset, bool soundOn,
                                   int soundIcon)
    {
        FrameView view = ViewOfGame();
        EXPECT_EQ(game.timeTrial, timeTrial);
        EXPECT_EQ(view.modeIcon, modeIcon);
        EXPECT_EQ(ScoreTableOffset(), tableOffset);
        EXPECT_EQ(game.soundOn, soundOn);
        EXPECT_EQ(view.soundIcon, soundIcon);
    }

    static void RunFrames(int count)
    {
        for (int i = 0; i < count; ++i)
            UpdateAnimations();
    }

    // The other block of block index's pair on the board as dealt.
    static int PartnerOf(int index)
    {
        for (int i = 0; i < kBlockCount; ++i) {
            if (i != index && game.blocks[i].pair == game.blocks[index].pair)
                return i;
        }
        return -1;
    }
};
