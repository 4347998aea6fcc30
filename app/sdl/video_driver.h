// Which of SDL's video drivers the game runs on.
#pragma once

#include <string>

// Starts SDL's video subsystem on a driver that shows a window. The drivers that show
// nothing (offscreen, dummy and its evdev kind) are used only when SDL_VIDEODRIVER names
// them, which is how the tests ask for them: SDL would otherwise fall back to one when no
// display answers, and the game would run with no window for as long as it was left. On
// failure, false with SDL's reason in *reason.
bool StartVisibleVideo(std::string* reason);
