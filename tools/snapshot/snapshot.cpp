// flipora_snapshot <state> <out.png> [WIDTHxHEIGHT]: plays the game to a chosen state
// without a display and writes the frame as a PNG, at the game's window size unless a size is given.
// States: start, board, game-over, paused, help, translucent, and the keyboard highlight
// on a face-down block, a face-up picture and a button: highlight-block,
// highlight-picture, highlight-button. Reads data/ from the working directory, else from
// the source tree.
#include <GL/gl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/null/null_front_end.h"
#include "app/shell.h"
#include "game/constants.h"
#include "game/frame_view.h"
#include "game/game_state.h"
#include "game/identity.h"
#include "game/rules.h"
#include "lang/translate.h"
#include "platform/null/null_platform.h"
#include "platform/offscreen.h"
#include "render/offscreen_scene.h"
#include "render/render.h"
#include "tools/snapshot/png_file.h"
#include "scores/scores.h"

namespace {

int width = kWindowWidth;
int height = kWindowHeight;

void FillSampleScores()
{
    const char* names[kScoreSlots] = {"mira", "tomas", "ana", "jun", "lea",
                                      "mira", "tomas", "ana", "jun", "lea"};
    const int32_t values[kScoreSlots] = {960, 750, 600, 480, 342, 1508, 1205, 704, 502, 302};
    for (int slot = 0; slot < kScoreSlots; ++slot) {
        std::snprintf(saved.scoreNames[slot], kScoreNameSize, "%s", names[slot]);
        saved.scoreValues[slot] = values[slot];
    }
}


// The game's own loop on scripted time, on the null front end (no events): the null
// platform's counter in pass units, so every pass finds exactly one paced pass due. The
// clock's ticks keep their own uneven pattern (16 or 17 ms), as a real 60 Hz loop sees
// them. Presenting is left to the end: only the last picture is written.
NullFrontEnd snapshotFrontEnd;

void RecordOnly(const FrameView&) {}

void RunFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        fakeTicks += 1000 / 60 + (i % 3 == 0);
        ++fakeCounter;
        RunPass();
    }
}

int BlockOfPair(int32_t pair, int skip)
{
    for (int i = 0; i < kBlockCount; ++i)
        if (game.blocks[i].pair == pair && skip-- == 0)
            return i;
    return 0;
}

// Some matched pairs, then a mismatch left face up.
void PlaySomeTurns(std::initializer_list<int32_t> pairs)
{
    for (int32_t pair : pairs) {
        ClickBlock(BlockOfPair(pair, 0));
        ClickBlock(BlockOfPair(pair, 1));
        RunFrames(20);
    }
    ClickBlock(BlockOfPair(0, 0));
    ClickBlock(BlockOfPair(1, 0));
    RunFrames(20);
}

// One more pick turns the mismatch back: a snapshot a few frames later catches three
// blocks in mid-turn.
void PickDuringMismatch()
{
    ClickBlock(BlockOfPair(3, 0));
    RunFrames(6);
}

// A tap of a key, as the game takes it from the shell.
void Press(int key)
{
    OnGameKey(key, false);
    OnGameKeyUp(key);
}

void TypeName(const char* letters)
{
    for (const char* key = letters; *key; ++key)
        Press(*key);
}

void PressArrows(std::initializer_list<int> arrows)
{
    for (int arrow : arrows)
        Press(arrow);
    RunFrames(1);
}

bool PlayTo(const std::string& state)
{
    RunFrames(70);  // a second of frames: the frame-rate text has a figure
    if (state == "start")
        return true;
    if (state == "highlight-block") {
        PressArrows({kKeyDown, kKeyRight, kKeyRight, kKeyDown});
        return true;
    }
    if (state == "highlight-button") {
        PressArrows({kKeyRight, kKeyRight, kKeyRight, kKeyRight, kKeyRight, kKeyDown});
        return true;
    }
    if (state == "help") {
        RunMenuCommand(kNameHelp);
        RunFrames(10);
        return true;
    }
    PlaySomeTurns(state == "game-over" ? std::initializer_list<int32_t>{2, 5, 4, 6, 7}
                                       : std::initializer_list<int32_t>{2, 5});
    if (state == "board") {
        PickDuringMismatch();
        return true;
    }
    if (state == "highlight-picture") {
        // The first arrow shows it at the top left; then on to a block of the matched pair 2.
        int target = BlockOfPair(2, 0);
        Press(kKeyDown);
        Press(kKeyUp);
        for (int step = 0; step < target % 4; ++step)
            Press(kKeyRight);
        for (int step = 0; step < target / 4; ++step)
            Press(kKeyDown);
        RunFrames(1);
        return keyboardHighlight.name == kNameFirstBlock + target;
    }
    if (state == "translucent") {
        Press(kKeyPageDown);
        PickDuringMismatch();
        return true;
    }
    if (state == "paused") {
        Press(kKeySpace);
        RunFrames(25);
        return true;
    }
    if (state == "game-over") {
        // The R key runs the clock out; the end test after the next frame ends the game.
        Press(kKeyR);
        RunFrames(1);
        TypeName("MIRA");
        RunFrames(25);
        return game.gameOver;
    }
    return false;
}

bool SaveFrame(const std::string& path)
{
    return WritePng(path, width, height, ReadBackBuffer(width, height));
}

}  // namespace

int main(int argc, char** argv)
{
    // --language CODE first draws the state in that language, from the build's catalogues.
    std::string language;
    if (argc >= 3 && std::string(argv[1]) == "--language") {
        language = argv[2];
        argc -= 2;
        argv += 2;
    }
    if ((argc != 3 && argc != 4) ||
        (argc == 4 && (std::sscanf(argv[3], "%dx%d", &width, &height) != 2 || width < 16 ||
                       height < 16 || width > 8192 || height > 8192))) {
        std::fprintf(stderr, "usage: flipora_snapshot [--language CODE] start|board|game-over|paused|"
                             "help|translucent|highlight-block|highlight-picture|highlight-button "
                             "out.png [WIDTHxHEIGHT]\n");
        return 2;
    }
    std::string state = argv[1];
    std::string out = std::filesystem::absolute(argv[2]).string();
    if (!std::filesystem::is_directory("data") && chdir(FLIPORA_SOURCE_DIR) != 0) {
        std::fprintf(stderr, "flipora_snapshot: no data folder here or in %s\n", FLIPORA_SOURCE_DIR);
        return 1;
    }
    std::string error;
    if (!UseLanguage(language, {FLIPORA_LOCALE_BUILD_DIR}, &error)) {
        std::fprintf(stderr, "flipora_snapshot: %s\n", error.c_str());
        return 2;
    }
    // The game's own start-up, with a sample score table instead of the file.
    FillSampleScores();
    saved.gameCounter = 7;
    StartFirstGame();
    if (!StartOffscreenScene("flipora_snapshot", width, height))
        return 1;
    fakeFrequency = kPassesPerSecond;
    fakeCounter = 1;  // 0 would read as a fresh schedule
    shell.frontEnd = &snapshotFrontEnd;
    shell.draw = RecordOnly;
    if (!PlayTo(state)) {
        std::fprintf(stderr, "flipora_snapshot: unknown or unreachable state '%s'\n", state.c_str());
        return 2;
    }
    DrawFrame(shell.screen.shown);
    glFinish();
    if (!SaveFrame(out)) {
        std::fprintf(stderr, "flipora_snapshot: cannot write %s\n", out.c_str());
        return 1;
    }
    FreeFonts();
    return 0;
}
