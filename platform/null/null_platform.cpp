#include "platform/null/null_platform.h"

#include "platform/lost_display.h"

#include "platform/sound.h"
#include "platform/ticks.h"

uint32_t fakeTicks = 0;
int clickSoundPlays = 0;
bool clickSoundOpen = false;
std::vector<ShownBox> shownBoxes;
std::deque<bool> scriptedAnswers;

void ResetFakePlatform()
{
    fakeTicks = 0;
    clickSoundPlays = 0;
    clickSoundOpen = false;
    shownBoxes.clear();
    scriptedAnswers.clear();
}

uint32_t GetTickCount()
{
    return fakeTicks;
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
