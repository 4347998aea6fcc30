// flipora_art: paints every image of the game and its click sound into a data folder, or
// the application icon at every installed size into an icon folder.
//   flipora_art <data folder>
//   flipora_art --icons <icon folder>
// The output is the same on every run, so the committed data/ can be regenerated at will.
#include "art.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

struct Asset {
    const char* file;
    int width, height;
    PaintFunction paint;
};

// Sizes keep each quad's aspect ratio and are at least as large as the image appears at the
// window's opening size; widths are multiples of 4.
const Asset assets[] = {
    {"Vexo.bmp", 256, 256, PaintBlockBack},
    {"ex1.bmp", 256, 256, PaintSun},
    {"ex2.bmp", 256, 256, PaintFish},
    {"ex3.bmp", 256, 256, PaintTree},
    {"ex4.bmp", 256, 256, PaintHeart},
    {"ex5.bmp", 256, 256, PaintMoon},
    {"ex6.bmp", 256, 256, PaintFlower},
    {"ex7.bmp", 256, 256, PaintGrapes},
    {"ex8.bmp", 256, 256, PaintCarrot},
    {"meni.bmp", 256, 784, PaintMenuPanel},
    {"New.bmp", 240, 80, PaintNewButton},
    {"Mode.bmp", 240, 80, PaintModeButton},
    {"Sound.bmp", 240, 80, PaintSoundButton},
    {"Help.bmp", 240, 80, PaintHelpButton},
    {"About.bmp", 192, 64, PaintAboutButton},
    {"Exit.bmp", 192, 64, PaintExitButton},
    {"ScoreBoard.bmp", 256, 384, PaintScoreBoard},
    {"SpeakerON.bmp", 128, 128, PaintSpeakerOn},
    {"SpeakerOFF.bmp", 128, 128, PaintSpeakerOff},
    {"TimeTrial.bmp", 192, 64, PaintTimeTrialLabel},
    {"Normal.bmp", 192, 64, PaintNormalLabel},
    {"Timer.bmp", 192, 64, PaintTimerLabel},
    {"GameOver.bmp", 640, 128, PaintGameOverBanner},
    {"Paused.bmp", 640, 128, PaintPausedBanner},
    {"Blinker.bmp", 384, 32, PaintBlinker},
};

bool PaintAsset(const Asset& asset, const std::string& folder)
{
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, asset.width, asset.height);
    cairo_t* cr = cairo_create(surface);
    // Every image starts opaque so the written colours are final.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    asset.paint(cr, asset.width, asset.height);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    if (!ok)
        std::fprintf(stderr, "PaintAsset: %s: %s\n", asset.file,
                     cairo_status_to_string(cairo_status(cr)));
    cairo_destroy(cr);
    ok = ok && WriteBmp(surface, folder + "/" + asset.file);
    cairo_surface_destroy(surface);
    return ok;
}

// The sizes the desktop's icon theme gets, each written as <size>x<size>.png; the build's
// FLIPORA_ICON_SIZES installs the same list (art_icons_match_committed holds them together).
const int iconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool PaintIconFile(int size, const std::string& folder)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    PaintIcon(cr, size);
    std::string path = folder + "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_status_t written = ok ? cairo_surface_write_to_png(surface, path.c_str())
                                : CAIRO_STATUS_INVALID_STATUS;
    if (written != CAIRO_STATUS_SUCCESS)
        std::fprintf(stderr, "PaintIconFile: %s: %s\n", path.c_str(),
                     cairo_status_to_string(written));
    cairo_surface_destroy(surface);
    return written == CAIRO_STATUS_SUCCESS;
}

int WriteIcons(const std::string& folder)
{
    for (int size : iconSizes)
        if (!PaintIconFile(size, folder))
            return 1;
    std::printf("flipora_art: wrote %zu icons to %s\n", sizeof iconSizes / sizeof iconSizes[0],
                folder.c_str());
    return 0;
}

bool IsFolder(const std::string& folder)
{
    struct stat info;
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return true;
    std::fprintf(stderr, "flipora_art: %s is not a folder\n", folder.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: %s <data folder>\n       %s --icons <icon folder>\n",
                     argv[0], argv[0]);
        return 2;
    }
    std::string folder = argv[argc - 1];
    if (!IsFolder(folder))
        return 1;
    if (icons)
        return WriteIcons(folder);
    for (const Asset& asset : assets) {
        if (!PaintAsset(asset, folder))
            return 1;
    }
    if (!WriteClickWav(folder + "/Sound.wav"))
        return 1;
    std::printf("flipora_art: wrote %zu images and Sound.wav to %s\n",
                sizeof assets / sizeof assets[0], folder.c_str());
    return 0;
}
