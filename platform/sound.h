// The click sound. Opened once at start; without an audio device the game is silent.
#pragma once

// Decodes the WAV once and opens an audio device. False (and silence later) on failure.
bool OpenClickSound(const char* path);

// Starts the click from its beginning, cutting off one still playing. Returns at once.
void PlayClickSound();

void CloseClickSound();
