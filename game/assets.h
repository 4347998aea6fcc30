// The game's data files, once: the images in texture order (texture i shows
// kImageFiles[i]) and the click sound. The textures, the art tool, the install rules and
// the tests all take them from here; CMakeLists.txt and the end-to-end harness read the
// quoted names below, one to a line, so keep that shape.
#pragma once

#include <iterator>
#include <string>

inline constexpr const char* kImageFiles[] = {
    "Vexo.bmp",        // 0: the block back and edges
    "ex1.bmp",         // 1..8: the pictures
    "ex2.bmp",
    "ex3.bmp",
    "ex4.bmp",
    "ex5.bmp",
    "ex6.bmp",
    "ex7.bmp",
    "ex8.bmp",
    "meni.bmp",        // 9: the menu panel
    "New.bmp",         // 10..15: the menu buttons
    "Mode.bmp",
    "Sound.bmp",
    "Help.bmp",
    "About.bmp",
    "Exit.bmp",
    "ScoreBoard.bmp",
    "SpeakerON.bmp",
    "SpeakerOFF.bmp",
    "TimeTrial.bmp",
    "Normal.bmp",
    "Timer.bmp",
    "GameOver.bmp",
    "Paused.bmp",
    "Blinker.bmp",     // 24: the name strip
};
inline constexpr const char* kClickSoundFile = "Sound.wav";

inline constexpr int kTextureCount = static_cast<int>(std::size(kImageFiles));

// As the game asks for them: images as "Data/x.bmp" (the data folder search also tries
// "data/"), the click sound as "data/Sound.wav".
inline std::string ImagePath(int texture)
{
    return std::string("Data/") + kImageFiles[texture];
}

inline std::string ClickSoundPath()
{
    return std::string("data/") + kClickSoundFile;
}
