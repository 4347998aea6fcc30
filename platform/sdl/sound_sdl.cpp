#include "platform/sound.h"

#include <SDL.h>

namespace {

SDL_AudioDeviceID clickDevice = 0;  // 0: no device, the game stays silent
Uint8* clickSamples = nullptr;      // the decoded WAV, in the device's own format
Uint32 clickLength = 0;             // bytes
bool audioStarted = false;          // we own an SDL audio subsystem reference

}  // namespace

bool OpenClickSound(const char* path)
{
    if (clickDevice != 0)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    audioStarted = true;

    SDL_AudioSpec spec;
    if (!SDL_LoadWAV(path, &spec, &clickSamples, &clickLength)) {
        CloseClickSound();
        return false;
    }
    // No changes allowed: SDL converts the queued samples to whatever the hardware wants.
    clickDevice = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
    if (clickDevice == 0) {
        CloseClickSound();
        return false;
    }
    SDL_PauseAudioDevice(clickDevice, 0);
    return true;
}

void PlayClickSound()
{
    if (clickDevice == 0)
        return;
    // A new click cuts off the one still playing, as an asynchronous restart would.
    SDL_ClearQueuedAudio(clickDevice);
    SDL_QueueAudio(clickDevice, clickSamples, clickLength);
}

void CloseClickSound()
{
    if (clickDevice != 0)
        SDL_CloseAudioDevice(clickDevice);
    clickDevice = 0;
    if (clickSamples)
        SDL_FreeWAV(clickSamples);
    clickSamples = nullptr;
    clickLength = 0;
    if (audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioStarted = false;
}
