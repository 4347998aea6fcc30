#include "app/sdl/video_driver.h"

#include <SDL.h>

#include <cstring>
#include <vector>

namespace {

constexpr const char* kDriversShowingNothing[] = {"offscreen", "dummy", "evdev"};

bool ShowsNothing(const char* driver)
{
    for (const char* name : kDriversShowingNothing) {
        if (SDL_strcasecmp(driver, name) == 0)
            return true;
    }
    return false;
}

// Every driver this SDL has that shows a window, in SDL's own order of preference.
std::string VisibleDrivers()
{
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || ShowsNothing(driver))
            continue;
        if (!list.empty())
            list += ',';
        list += driver;
    }
    return list;
}

// SDL clears up after a failed video start and leaves only the clean-up's own complaint in
// SDL_GetError. Every error it sets is also logged at debug priority, so the start is
// watched and the last error before the clean-up's is kept.
constexpr const char* kCleanUpError = "Video subsystem has not been initialized";

void KeepError(void* errors, int category, SDL_LogPriority, const char* message)
{
    if (category == SDL_LOG_CATEGORY_ERROR && std::strcmp(message, kCleanUpError) != 0)
        static_cast<std::vector<std::string>*>(errors)->push_back(message);
}

bool StartVideoWatchingErrors(std::string* reason)
{
    SDL_LogOutputFunction oldOutput = nullptr;
    void* oldData = nullptr;
    SDL_LogGetOutputFunction(&oldOutput, &oldData);
    SDL_LogPriority oldPriority = SDL_LogGetPriority(SDL_LOG_CATEGORY_ERROR);
    std::vector<std::string> errors;
    SDL_LogSetOutputFunction(KeepError, &errors);
    SDL_LogSetPriority(SDL_LOG_CATEGORY_ERROR, SDL_LOG_PRIORITY_DEBUG);
    bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    SDL_LogSetPriority(SDL_LOG_CATEGORY_ERROR, oldPriority);
    SDL_LogSetOutputFunction(oldOutput, oldData);
    if (!started)
        *reason = errors.empty() ? SDL_GetError() : errors.back();
    return started;
}

}  // namespace

bool StartVisibleVideo(std::string* reason)
{
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (!asked || !*asked) {
        std::string visible = VisibleDrivers();
        if (visible.empty()) {
            *reason = "this SDL has no video driver that shows a window";
            return false;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, visible.c_str());
    }
    return StartVideoWatchingErrors(reason);
}
