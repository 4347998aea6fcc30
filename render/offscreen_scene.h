// The game's scene without a display, for the GL tests, the snapshot tool and the
// benchmark; the game itself starts its scene in its front end's window (StartScene).
#pragma once

// Opens an offscreen context of width x height (platform/offscreen.h) and starts the scene
// in it with BuildScene, the view and the text sized for it. The scores, the game counter
// and the first deal (StartFirstGame) are the caller's, made before. False when either fails, with the reason on stderr after
// the program's name.
bool StartOffscreenScene(const char* program, int width, int height);
