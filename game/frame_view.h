// What one frame shows, as a plain value, and the paced pass that advances the game.
// Drawing reads a FrameView and nothing else of the game's play; two equal views draw
// the same picture, which is what lets the loop skip drawing while nothing changes.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "game/score_table.h"  // kTableSize, the rows of the table shown

inline constexpr int kFpsTextSize = 32;

// The frame-rate figure at the picture's top left: the passes whose picture reached the
// screen, counted between two steps of the clock (TickClock). A measure of the frames, not a
// rule: a new game keeps it, and it lives for the program.
struct FrameRate {
    float frameCount = 0.0f;        // frames since the last step
    char text[kFpsTextSize] = {};   // "FPS: %d", empty until the first step
};
extern FrameRate frameRate;

// Only what the picture shows is filled in; the parts a frame does not draw (the score
// rows behind the help text, the counters of the other mode, the end-of-game lines
// during play) stay zero, so that they never make two equal pictures compare unequal.
struct FrameView {
    // Board and buttons.
    float blockAngles[kBlockCount] = {};   // degrees about y, 0 face down
    int32_t blockPairs[kBlockCount] = {};  // the picture pair each block shows, 0..7
    float buttonDepths[kButtonCount] = {}; // New, Mode, Sound, Help pushed in, 0..0.3
    Flag translucent = false;              // blocks drawn additively
    int32_t highlight = kNameNothing;      // selection name ringed by the keyboard highlight, 0 none

    // Panel icons: 0 or 1 on from the speaker-on and time-trial lists.
    int32_t soundIcon = 0;
    int32_t modeIcon = 0;

    // Texts: the score table or the help text, the clock or the counters, the frame rate.
    Flag helpShown = false;
    char tableNames[kTableSize][kScoreNameSize] = {};  // as printed: at most 254 characters
    int32_t tableValues[kTableSize] = {};
    Flag timeTrial = false;
    int32_t minutes = 0;
    int32_t secondsTens = 0;
    int32_t secondsOnes = 0;
    int32_t pairs = 0;                     // pairs found in this game, normal mode
    int32_t moves = 0;
    char fpsText[kFpsTextSize] = {};

    // End of game and pause: one banner at most, with the alpha it is drawn with.
    Flag gameOver = false;
    Flag paused = false;                   // set only when the pause banner is drawn
    float bannerAlpha = 0.0f;
    Flag ranked = false;                   // the game earned a place: rank line and name
    int32_t rankPlace = 0;                 // 0..4 in the shown table; other values print no number
    char typedName[kNameBufferSize] = {};  // as printed: at most 11 characters
    int32_t finalScore = 0;

    bool operator==(const FrameView&) const = default;
};

// The picture of the game as it stands, without advancing anything. Picking and tools
// that show a state as it is use it.
FrameView ViewOfGame();

// One paced pass of the game: the clock tick (with its frame count and frame-rate text),
// the animation steps with the deals they trigger, and the banner fade, in that order.
// Returns the picture of that pass, which mixes moments exactly as the pass always has:
// the board, the clock digits and the score texts as they were before the steps, the
// frame-rate text after the tick, and the end-of-game state after the animation steps
// with the banner's alpha before its fade (so a banner starts invisible).
// `now` is the tick count the clock steps by (TickClock); `counted` says whether the pass's
// picture reaches the screen: only those passes count towards the frame-rate figure; a pass
// skipped to catch up with real time does not.
FrameView AdvancePass(uint32_t now, bool counted = true);
