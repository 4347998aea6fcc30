#include "platform/null/null_platform.h"

#include "platform/lost_display.h"

#include "platform/sound.h"
#include "platform/ticks.h"

uint32_t fakeTicks = 0;
uint64_t fakeCounter = 0;
uint64_t fakeFrequency = 1000;
int clickSoundPlays = 0;
bool clickSoundOpen = false;
std::vector<ShownBox> shownBoxes;
std::deque<bool> scriptedAnswers;

void ResetFakePlatform()
{
    fakeTicks = 0;
    fakeCounter = 0;
    fakeFrequency = 1000;
    clickSoundPlays = 0;
    clickSoundOpen = false;
    shownBoxes.clear();
    scriptedAnswers.clear();
}

uint32_t GetTickCount()
{
    return fakeTicks;
}

uint64_t PerformanceCount()
{
    return fakeCounter;
}

uint64_t PerformanceFrequency()
{
    return fakeFrequency;
}

void AdvanceFakeTime(uint64_t counterTicks)
{
    fakeCounter += counterTicks;
    fakeTicks = static_cast<uint32_t>(fakeCounter * 1000 / fakeFrequency);
}

void SleepMilliseconds(uint32_t milliseconds)
{
    AdvanceFakeTime(milliseconds * fakeFrequency / 1000);
}

bool OpenClickSound(const char*)
{
    clickSoundOpen = true;
    return true;
}

void PlayClickSound()
{
    ++clickSoundPlays;
}

void CloseClickSound()
{
    clickSoundOpen = false;
}

bool ShowMessageBox(const char* text, const char* title, BoxButtons buttons, BoxIcon icon,
                    bool ownedByWindow)
{
    shownBoxes.push_back({text ? text : "", title ? title : "", buttons, icon, ownedByWindow});
    if (buttons == BoxButtons::Ok)
        return true;
    if (scriptedAnswers.empty())
        return false;
    bool answer = scriptedAnswers.front();
    scriptedAnswers.pop_front();
    return answer;
}

// No window system to lose.
void WatchForLostDisplay(int (*)()) {}
