#include "game/frame_view.h"

#include <cstring>

#include "game/constants.h"
#include "game/rules.h"

FrameRate frameRate;

namespace {

constexpr float kBannerStep = 0.05f;  // a banner fades in over 20 passes

// Copies what a print of at most `limit` characters shows; the rest stays zero, so bytes
// after a terminator never tell two pictures apart.
void CopyShownText(char* to, const char* from, size_t limit)
{
    std::memcpy(to, from, strnlen(from, limit));
}

void ReadBoard(FrameView& view)
{
    for (int i = 0; i < kBlockCount; ++i) {
        view.blockAngles[i] = game.blocks[i].angle;
        view.blockPairs[i] = game.blocks[i].pair;
    }
    for (int i = 0; i < kButtonCount; ++i)
        view.buttonDepths[i] = game.buttons[i].depth;
    view.translucent = game.blendBlocks;
    view.highlight = keyboardHighlight.name;
    view.soundIcon = SoundIcon();
    view.modeIcon = ModeIcon();
}

void ReadTexts(FrameView& view)
{
    view.helpShown = game.helpShown;
    if (!game.helpShown) {
        for (int i = 0; i < kTableSize; ++i) {
            int slot = ScoreTableOffset() + i;
            CopyShownText(view.tableNames[i], saved.scoreNames[slot], kScoreNameSize - 1);
            view.tableValues[i] = saved.scoreValues[slot];
        }
    }
    view.timeTrial = game.timeTrial;
    if (game.timeTrial) {
        view.minutes = game.minutes;
        view.secondsTens = game.secondsTens;
        view.secondsOnes = game.secondsOnes;
    } else {
        view.pairs = PairsFound();
        view.moves = game.moves;
    }
}

void ReadFrameRate(FrameView& view)
{
    std::memset(view.fpsText, 0, sizeof view.fpsText);
    CopyShownText(view.fpsText, frameRate.text, sizeof frameRate.text - 1);
}

// Game over outranks the pause: only one banner is drawn.
void ReadEndOfGame(FrameView& view)
{
    view.gameOver = game.gameOver;
    view.paused = game.paused && !game.gameOver;
    view.bannerAlpha = game.gameOver ? game.gameOverAlpha : view.paused ? game.pausedAlpha : 0.0f;
    view.ranked = game.gameOver && game.finalRank != -1;
    view.rankPlace = view.ranked ? game.finalRank - ScoreTableOffset() : 0;
    std::memset(view.typedName, 0, sizeof view.typedName);
    if (view.ranked)
        CopyShownText(view.typedName, game.nameBuffer, kNameBufferSize - 1);
    view.finalScore = game.gameOver ? game.finalScore : 0;
}

void FadeInBanner()
{
    if (game.gameOver)
        game.gameOverAlpha = ClampFloat(0, 1, game.gameOverAlpha + kBannerStep);
    else if (game.paused)
        game.pausedAlpha = ClampFloat(0, 1, game.pausedAlpha + kBannerStep);
}

}  // namespace

FrameView ViewOfGame()
{
    FrameView view;
    ReadBoard(view);
    ReadTexts(view);
    ReadFrameRate(view);
    ReadEndOfGame(view);
    return view;
}

FrameView AdvancePass(uint32_t now, bool counted)
{
    FrameView view;
    ReadBoard(view);
    ReadTexts(view);
    TickClock(now, counted);
    ReadFrameRate(view);
    UpdateAnimations();
    // A deal that begins a new game clears game over within this pass.
    ReadEndOfGame(view);
    FadeInBanner();
    return view;
}
