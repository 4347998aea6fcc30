// flipora_art: paints every image of the game and its click sound into a data folder, and
// each language's own images with words into <data folder>/<code>/ (their words from the
// compiled catalogues of the build), or the application icon at every installed size into
// an icon folder.
//   flipora_art <data folder>
//   flipora_art --icons <icon folder>
// The output is the same on every run, so the committed data/ can be regenerated at will.
#include "art.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "game/assets.h"
#include "lang/translate.h"

namespace {

struct Asset {
    int width, height;
    PaintFunction paint;
};

const int speakerSize = 128;  // the speaker icons, and the gear drawn like them

// In texture order, so the file names are game/assets.h's. Sizes keep each quad's aspect
// ratio and are at least as large as the image appears at the window's opening size; widths
// are multiples of 4. The pictures (textures 1..8) are drawn with their set, below.
const Asset assets[] = {
    {256, 256, PaintBlockBack},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {0, 0, nullptr},
    {256, 784, PaintMenuPanel},
    {240, 80, PaintNewButton},
    {240, 80, PaintModeButton},
    {240, 80, PaintSoundButton},
    {240, 80, PaintHelpButton},
    {192, 64, PaintAboutButton},
    {192, 64, PaintExitButton},
    {256, 384, PaintScoreBoard},
    {speakerSize, speakerSize, PaintSpeakerOn},
    {speakerSize, speakerSize, PaintSpeakerOff},
    {192, 64, PaintTimeTrialLabel},
    {192, 64, PaintNormalLabel},
    {192, 64, PaintTimerLabel},
    {640, 128, PaintGameOverBanner},
    {640, 128, PaintPausedBanner},
    {384, 32, PaintBlinker},
};
static_assert(std::size(assets) == kTextureCount, "one painter per image, in texture order");

// One painter per picture set, in kPictureSets' order; every picture is drawn at the size of
// a block's side.
const PicturePainter setPainters[] = {PaintStandardPicture, PaintTypePicture,
                                      PaintShapePicture};
static_assert(std::size(setPainters) == std::size(kPictureSets), "one painter per set");
const int pictureSize = 256;

template <typename Paint>
bool PaintImage(int width, int height, Paint paint, const char* file, const std::string& folder)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    // Every image starts opaque so the written colours are final.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    paint(cr, width, height);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    if (!ok)
        std::fprintf(stderr, "PaintImage: %s: %s\n", file,
                     cairo_status_to_string(cairo_status(cr)));
    cairo_destroy(cr);
    ok = ok && WriteBmp(surface, folder + "/" + file);
    cairo_surface_destroy(surface);
    return ok;
}

// Writes every image game/assets.h names, each once; the number written, or -1 on failure.
int WriteImages(const std::string& folder)
{
    int written = 0;
    for (int i = 0; i < kTextureCount; ++i) {
        const Asset& asset = assets[i];
        if (!asset.paint)
            continue;
        if (!PaintImage(asset.width, asset.height, asset.paint, kImageFiles[i], folder))
            return -1;
        ++written;
    }
    for (size_t set = 0; set < std::size(kPictureSets); ++set) {
        for (int i = 0; i < kPictureSets[set].count; ++i) {
            auto paint = [&](cairo_t* cr, int w, int h) { setPainters[set](cr, w, h, i); };
            if (!PaintImage(pictureSize, pictureSize, paint, kPictureSets[set].files[i], folder))
                return -1;
            ++written;
        }
    }
    if (!PaintImage(speakerSize, speakerSize, PaintGear, kGearFile, folder))
        return -1;
    return written + 1;
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

// The languages of po/LINGUAS, as the build passes them: codes separated by blanks.
std::vector<std::string> Languages()
{
    std::vector<std::string> codes;
    std::string list = FLIPORA_LANGUAGES;
    size_t at = 0;
    while ((at = list.find_first_not_of(' ', at)) != std::string::npos) {
        size_t end = std::min(list.find(' ', at), list.size());
        codes.push_back(list.substr(at, end - at));
        at = end;
    }
    return codes;
}

// One language's images with words, into <folder>/<code>/, the words from its catalogue.
bool PaintLanguage(const std::string& code, const std::string& folder)
{
    std::string error;
    if (!UseLanguage(code, {FLIPORA_LOCALE_BUILD_DIR}, &error)) {
        std::fprintf(stderr, "flipora_art: %s\n", error.c_str());
        return false;
    }
    std::string own = folder + "/" + code;
    mkdir(own.c_str(), 0777);
    bool painted = IsFolder(own);
    for (int i = 0; painted && i < kTextureCount; ++i)
        if (ImageHasWords(i))
            painted = PaintImage(assets[i].width, assets[i].height, assets[i].paint, kImageFiles[i], own);
    UseLanguage("", {}, &error);
    return painted;
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
    if (!TypeFaceInstalled())
        return 1;
    int images = WriteImages(folder);
    if (images < 0 || !WriteClickWav(folder + "/" + kClickSoundFile))
        return 1;
    std::vector<std::string> languages = Languages();
    for (const std::string& code : languages)
        if (!PaintLanguage(code, folder))
            return 1;
    std::printf("flipora_art: wrote %d images and %s to %s, and the images with words in %zu "
                "languages\n",
                images, kClickSoundFile, folder.c_str(), languages.size());
    return 0;
}
