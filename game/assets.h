// The game's data files, once: the picture sets, the images in texture order (texture i
// shows kImageFiles[i]) and the click sound. The textures, the art tool, the install rules and
// the tests all take them from here; CMakeLists.txt and the end-to-end harness read the
// quoted names below, one to a line, so keep that shape and name each file once.
#pragma once

#include <iterator>
#include <string>

// The picture sets, each enough for the largest board. A game shows the first pictures of
// one set; the standard set's first eight are the standard game's, textures 1..8.
inline constexpr const char* kStandardPictures[] = {
    "ex1.bmp",
    "ex2.bmp",
    "ex3.bmp",
    "ex4.bmp",
    "ex5.bmp",
    "ex6.bmp",
    "ex7.bmp",
    "ex8.bmp",
    "ex9.bmp",
    "ex10.bmp",
    "ex11.bmp",
    "ex12.bmp",
    "ex13.bmp",
    "ex14.bmp",
    "ex15.bmp",
    "ex16.bmp",
    "ex17.bmp",
    "ex18.bmp",
};

// Capital letters and digits, none easily taken for another.
inline constexpr const char* kTypePictures[] = {
    "TypeA.bmp",
    "TypeB.bmp",
    "TypeC.bmp",
    "TypeD.bmp",
    "TypeE.bmp",
    "TypeH.bmp",
    "TypeK.bmp",
    "TypeL.bmp",
    "TypeM.bmp",
    "TypeP.bmp",
    "TypeS.bmp",
    "TypeT.bmp",
    "TypeU.bmp",
    "TypeX.bmp",
    "TypeY.bmp",
    "Type2.bmp",
    "Type4.bmp",
    "Type7.bmp",
};

// Plain shapes, each its own colour.
inline constexpr const char* kShapePictures[] = {
    "ShapeCircle.bmp",
    "ShapeSquare.bmp",
    "ShapeTriangle.bmp",
    "ShapeStar.bmp",
    "ShapeHeart.bmp",
    "ShapeDiamond.bmp",
    "ShapeHexagon.bmp",
    "ShapeCrescent.bmp",
    "ShapeCross.bmp",
    "ShapeArrow.bmp",
    "ShapeRing.bmp",
    "ShapeSemicircle.bmp",
    "ShapeBolt.bmp",
    "ShapeDrop.bmp",
    "ShapeCloud.bmp",
    "ShapeClover.bmp",
    "ShapeHourglass.bmp",
    "ShapeTrapezoid.bmp",
};

struct PictureSet {
    const char* name;          // as the command line and the preferences spell it
    const char* const* files;  // its pictures, in the order games take them
    int count;
};

// The first is the standard game's, the default.
inline constexpr PictureSet kPictureSets[] = {
    {"standard", kStandardPictures, static_cast<int>(std::size(kStandardPictures))},
    {"type", kTypePictures, static_cast<int>(std::size(kTypePictures))},
    {"shapes", kShapePictures, static_cast<int>(std::size(kShapePictures))},
};

inline constexpr const char* kImageFiles[] = {
    "Vexo.bmp",              // 0: the block back and edges
    kStandardPictures[0],    // 1..8: the standard game's pictures
    kStandardPictures[1],
    kStandardPictures[2],
    kStandardPictures[3],
    kStandardPictures[4],
    kStandardPictures[5],
    kStandardPictures[6],
    kStandardPictures[7],
    "meni.bmp",              // 9: the menu panel
    "New.bmp",               // 10..15: the menu buttons
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
    "Blinker.bmp",           // 24: the name strip
};
// The panel's control for the Options page, drawn like the speaker and as large.
inline constexpr const char* kGearFile = "Gear.bmp";
inline constexpr const char* kClickSoundFile = "Sound.wav";

inline constexpr int kTextureCount = static_cast<int>(std::size(kImageFiles));

// The images with words on them: the six buttons, the two mode labels and the two banners.
// The art tool draws them again for each language into data/<code>/ under the same names,
// and the game loads those while it speaks that language.
inline constexpr bool ImageHasWords(int texture)
{
    return (texture >= 10 && texture <= 15) || texture == 19 || texture == 20 || texture == 22 ||
           texture == 23;
}

// As the game asks for them: images as "Data/x.bmp" (the data folder search also tries
// "data/"), the click sound as "data/Sound.wav".
inline std::string ImagePath(int texture)
{
    return std::string("Data/") + kImageFiles[texture];
}

// A language's own copy of an image with words, in the folder's own spelling (as the
// click sound is asked for); the image itself for English ("") and for every other image.
inline std::string ImagePath(int texture, const std::string& language)
{
    if (language.empty() || !ImageHasWords(texture))
        return ImagePath(texture);
    return "data/" + language + "/" + kImageFiles[texture];
}

inline std::string ClickSoundPath()
{
    return std::string("data/") + kClickSoundFile;
}
