// The game's rules: dealing, picking, per-frame animation, the clock, the end of a
// game and the menu commands. All of it works on `game` and touches no window,
// GL or sound API; what the player must see or hear besides the frame comes back as
// requests for the front end to act on.
#pragma once

#include <cstdint>

#include "game/board.h"

// What a click or a key asks of the front end besides the frame. The game goes on
// only through the answers: a "Quit Game" question comes back through ConfirmQuitGame.
struct Requests {
    int32_t askQuitGame = 0;   // kNameNew or kNameMode, waiting for a Yes; 0 asks nothing
    bool showAbout = false;
    bool playClick = false;
    bool quit = false;
    int32_t placedSlot = -1;   // a name was placed in this slot (0..9): the score file takes it
};

// Dealing and round reset.
// Deals the board's pairs over its blocks, into pairs[0 .. blocks - 1], from the
// generator: each block takes the first draw whose pair (the draw modulo pairs * counter
// + 1, divided by the counter) is one of 0 .. pairs - 1 and not yet on two blocks. A
// counter outside 1 .. 32767 / (pairs - 1) (no divisor, or too big to ever draw the last
// pair) deals as counter 1. The standard board's 8 pairs are dealt as they always were.
void DealPairs(BoardSize board, int32_t counter, int32_t* pairs);
// Deals 8 pairs over the 16 blocks (each shows its pair's face list) with gameCounter.
void ShuffleBoard();
void ResetRound();       // turn every block back, advance gameCounter, schedule the next deal
void StartNextBoard();   // the scheduled deal; a new game resets its round first
// The game at start, once the score file gave the counter: every block and button ready to
// turn and move in, and the first board dealt.
void StartFirstGame();

// The run-time library's generator, reproduced so that a counter deals the same boards
// everywhere. Never seeded: one sequence for the whole process.
int32_t DrawRandom();
void RestartRandom();    // back to the generator's initial state (tests only)

// +1 becomes -1 and anything else moves up by 2, so -1 becomes +1. Used for blocks and buttons.
float ToggleDirection(float direction);

// Block selection and matching.
// An accepted pick asks for the click sound when the sound is on.
Requests OnBlockName(int32_t name);   // name 100..115
Requests ClickBlock(int32_t index);   // 0..15
Requests SelectBlock(int32_t index);

// Once per paced pass (AdvancePass), after the clock tick: block turns, button presses,
// the deal trigger.
void UpdateAnimations();

// Once per paced pass (AdvancePass), at the system's tick count `now` in milliseconds
// (the caller's: the rules read no clock): counts the pass when `counted` (its picture
// reaches the screen), and when more than 1000 ms (unsigned, so across the tick wrap)
// passed since the last step, or on the first pass of the run, steps: the countdown loses
// a second while a game runs unpaused (holding at 0:00) and the frame rate's text
// (frameRate, game/frame_view.h) becomes "FPS: <passes>".
void TickClock(uint32_t now, bool counted = true);

// After every pass, once its picture is on screen: ends the game when its condition holds.
void CheckGameOver();
int32_t FindRank();

// Commands of the menu panel, for every picked name; acts on 116..121 only. A clicked
// button is pressed in. New and Mode during a running game only ask; About asks for its
// box, Exit for the quit.
Requests RunMenuCommand(int32_t name);

// The player answered Yes to the question asked for New or Mode: the command goes on.
void ConfirmQuitGame(int32_t command);

// A left click that picked name (0 for nothing): the one path of the mouse and of Enter.
Requests ClickName(int32_t name);

// Keyboard play. The highlight is on a block (100..115) or a menu button (116..121), or
// hidden (0). The first arrow shows it on the top-left block; arrows then move it one
// step without wrapping: Right from the last column goes to New, Up and Down walk the
// buttons New .. Exit, Left from a button goes back to the block it came from.
enum class Arrow { Left, Right, Up, Down };
// Where the player's keyboard points: input state, not the game's, so a new game keeps it.
struct KeyboardHighlight {
    int32_t name = 0;   // selection name under the highlight, 0 hidden
    int32_t block = 0;  // the block Left goes back to from the menu buttons
};
extern KeyboardHighlight keyboardHighlight;
void MoveHighlight(Arrow arrow);
void HideHighlight();                // at a mouse click: a mouse player never sees it
Requests ClickHighlighted();         // Enter: a click on the highlighted item, if shown

// The keyboard, in Windows virtual-key numbers, once the window took its own keys (F11).
// Every key-down, repeats included, goes first to a name waiting to be typed (which takes
// Enter and the arrows too), else to keyboard play: the arrows move the highlight with
// their repeats, Enter clicks it once however long it is held. Then the game keys act:
// Escape quits, Page Down switches the translucent blocks and Space the pause (a finished
// game cannot be paused, but its banner fades in again), once per press; R sets the clock
// to 0:00 and holds it there, repeats included, until its key-up.
Requests OnGameKey(int32_t virtualKey, bool repeat);
void OnGameKeyUp(int32_t virtualKey);
// After every pass that took no event: a held R sets the clock to 0:00 again.
void KeepHeldClock();

// Name entry (name_entry.cpp): one key-down while a placed game waits for its name, as
// OnGameKey hands it on. Enter places the entry (placedSlot), sets scoreInserted and starts
// the next game; until a new game clears scoreInserted a further Enter places nothing, so
// one finished game places at most one entry. Other keys keep typing into nameBuffer,
// which carries over to the next name. A finalRank outside 0..9 places nothing.
Requests HandleNameKey(int keyCode);
// Moves the entries from finalRank down by one slot within its own table; the table's
// last entry drops out. Called by HandleNameKey on Enter.
void ShiftScoreTable();
