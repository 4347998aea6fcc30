// The null platform: the platform layer without SDL, linked instead of platform/sdl/ into
// every test program and the snapshot tool. Ticks stand still until set, the click sound
// is only counted, and message boxes answer from a script; ResetFakePlatform() puts
// everything back between tests.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

// Time stands still until moved. GetTickCount() returns fakeTicks, PerformanceCount()
// fakeCounter, at fakeFrequency a second. Tests move them by hand (the ticks also across the
// 2^32 wrap), or together: sleeping moves the counter by the time slept and sets the ticks
// from it, as AdvanceFakeTime does.
extern uint32_t fakeTicks;
extern uint64_t fakeCounter;
extern uint64_t fakeFrequency;
void AdvanceFakeTime(uint64_t counterTicks);

// PlayClickSound() calls since the last reset; OpenClickSound/CloseClickSound only
// track whether the sound is open and never fail.
extern int clickSoundPlays;
extern bool clickSoundOpen;

// One ShowMessageBox() call as the game made it.
struct ShownBox {
    std::string text;
    std::string title;
    BoxButtons buttons;
    BoxIcon icon;
    bool ownedByWindow;
};

// Every box shown since the last reset, oldest first.
extern std::vector<ShownBox> shownBoxes;

// Answers for Yes/No boxes, taken from the front one per box (true = Yes). An empty
// queue answers No, as closing the box would. OK boxes always return true and leave
// the queue alone, so a script of answers only ever describes the questions.
extern std::deque<bool> scriptedAnswers;

void ResetFakePlatform();
