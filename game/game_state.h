// What the game knows, by owner and lifetime: `game`, the rules' record, whose initial
// values are the program's start (a test's `game = GameState{}` is one) and whose
// GameRound part is what a new game resets; `saved`, the score tables and the deal counter,
// which the score file keeps (scores/) and a fresh start leaves alone. The frame-rate figure
// is the frame's (game/frame_view.h), the render's GL resources and display lists are its
// own (render/render.h). One instance of each lives for the whole process; modules read and
// write their fields directly.
#pragma once

#include <cstdint>

#include "game/board.h"  // kNameFirstBlock, the first block's selection name

// A flag is one byte holding 0 or 1.
using Flag = bool;

struct Block {
    float direction = 1.0f;     // +1 turning (or will turn) face up, -1 face down; exactly +-1
    Flag animating = false;     // set from the pick until it rests face down again
    float angle = 0.0f;         // degrees about y, 0 face down .. 180 face up, multiples of 10
    int32_t pair = 0;           // which of the 8 pictures, 0..7
};

struct MenuButton {
    Flag pressed = false;       // the press animation runs
    float depth = 0.0f;         // how far it is pushed in, 0..0.3 scene units
    float direction = 1.0f;     // +1 moving in, -1 moving back
};

inline constexpr int kBlockCount = 16;
inline constexpr int kPairCount = 8;
inline constexpr int kButtonCount = 4;
inline constexpr int kScoreSlots = 10;       // 0..4 normal mode, 5..9 time trial
inline constexpr int kScoreNameSize = 255;   // 254 characters and the terminator
inline constexpr int kNameBufferSize = 12;   // 10 typed characters, two zero bytes
inline constexpr int kMaxNameLength = 10;
// Selection names under which clickable objects are drawn and dispatched.
inline constexpr int kNameNothing = 0;
inline constexpr int kNameNew = 116;
inline constexpr int kNameMode = 117;
inline constexpr int kNameSound = 118;
inline constexpr int kNameHelp = 119;
inline constexpr int kNameAbout = 120;
inline constexpr int kNameExit = 121;

// One game, from the deal that starts it to the next new game. A new game resets exactly
// these, by one assignment (StartNextBoard), so their defaults here are that start: two
// minutes on the clock, nothing counted, nothing ended.
struct GameRound {
    // The two-minute countdown.
    int32_t minutes = 2;
    int32_t secondsTens = 0;
    int32_t secondsOnes = 0;
    Flag clockRunning = false;      // a game is in progress; the countdown runs only then

    int32_t pairsOnBoard = 0;       // pairs matched on the board in play, 0..7 between picks
    int32_t boardsCleared = 0;      // boards fully matched in this game
    int32_t moves = 0;              // completed turns in this game
    Flag helpShown = false;

    // The end of the game; the tables themselves are `saved`.
    Flag gameOver = false;
    Flag newGameRequested = false;  // the next deal resets this round first
    int32_t finalScore = 0;
    Flag scoreInserted = false;     // set by Enter in name entry: this game placed its entry
};

// The rules' record: the round in play (its fields read as game.minutes), and what outlasts
// a new game: the board and its turn, the clock's step marks and the held R, the mode and
// the sound, the pause and the banners, the buttons, and the name being typed, which
// carries over to the next name.
struct GameState : GameRound {
    // Board and turn: dealt at start-up and at every new board; indices are row * 4 + column.
    Block blocks[kBlockCount];
    int32_t firstPick = 0;          // block picked first in the current (or last) turn
    int32_t secondPick = 0;         // block picked second in the last completed turn
    int32_t picksInTurn = 0;        // 0, 1 or 2; stays 2 after a turn until the next pick
    int32_t lastPickOfBoard = 0;    // block whose pick completed the board
    Flag boardCleared = false;      // waiting for lastPickOfBoard to face up before turning all back
    Flag reshufflePending = false;  // all blocks turn back; deal when blocks[firstPick] rests

    // Clock: the once-a-second step of the countdown and the frame-rate figure.
    uint32_t lastSecondTicks = 0;   // time of the last step in ms; differences taken unsigned survive the wrap
    Flag clockStepped = false;      // a step was taken this run; the first frame always takes one
    Flag clockHeld = false;         // R is down: every pass sets the countdown to 0:00 again

    // Modes, panel and banners. Alphas fade 0..1 in steps of 0.05 per frame.
    // The mode's label, the speaker and the table shown follow from these (game/constants.h).
    Flag timeTrial = true;
    Flag soundOn = false;
    Flag paused = false;
    float pausedAlpha = 0.0f;
    float gameOverAlpha = 0.0f;
    Flag blendBlocks = false;       // blocks drawn translucent
    MenuButton buttons[kButtonCount];  // New, Mode, Sound, Help

    // Name entry after a placed game.
    int32_t finalRank = -1;         // absolute slot 0..9 the game earned, or -1
    char nameBuffer[kNameBufferSize] = {};
    int32_t nameLength = 0;         // characters typed, 0..10
};

extern GameState game;

// The score tables and the deal counter: read from the score file at start-up, written
// back when a name is placed and at exit; a new game changes them but never resets them.
struct SavedScores {
    int32_t gameCounter = 0;        // deal divisor, 1..99 once the score file is read
    int32_t scoreValues[kScoreSlots] = {};              // slots 0..4 normal mode, 5..9 time trial
    char scoreNames[kScoreSlots][kScoreNameSize] = {};
};

extern SavedScores saved;

// Fixed centres of the 16 blocks in eye coordinates, index = row * 4 + column.
// From the scene layout (game/scene_layout.h).
extern const float (&blockPositions)[kBlockCount][3];

// a + b when a < 0, a - b when a > b, else a. Corrects by one period at most.
int32_t WrapCounter(int32_t a, int32_t b);

// hi when v >= hi, v when v > lo, else lo (also for NaN). Bounds come back exactly,
// which the animations' equality tests rely on.
float ClampFloat(float lo, float hi, float v);
