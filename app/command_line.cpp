#include "app/command_line.h"

#include <cstring>
#include <filesystem>
#include <system_error>


Command ParseCommandLine(int argc, const char* const* argv, std::string* offending)
{
    // The first argument decides; a second one after --help or --version is still refused.
    Command command = Command::Play;
    for (int i = 1; i < argc; ++i) {
        Command asked = Command::Refuse;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            asked = Command::Help;
        else if (std::strcmp(argv[i], "--version") == 0)
            asked = Command::Version;
        if (asked == Command::Refuse || command != Command::Play) {
            if (offending)
                *offending = argv[i];
            return Command::Refuse;
        }
        command = asked;
    }
    return command;
}

namespace {

void PrintScoreLocation(FILE* out, const ScoreFile& file)
{
    if (file.path.empty())
        std::fprintf(out, "Scores are not saved: %s.\n", file.nowhere.c_str());
    else
        std::fprintf(out, "Scores are kept in %s\n", ShownPath(file.path).c_str());
    auto exists = [](const std::string& path) {
        std::error_code error;  // the path is UTF-8, on Windows too
        std::filesystem::path asPath(std::u8string(path.begin(), path.end()));
        return std::filesystem::is_regular_file(asPath, error);
    };
    std::string read = ScoreFileToRead(file, exists);
    if (!read.empty() && read != file.path)
        std::fprintf(out, "Until your first save the table is read from %s\n",
                     ShownPath(read).c_str());
}

}  // namespace

void PrintUsage(FILE* out, const ScoreFile& scores)
{
    std::fputs("Usage: flipora [--help | --version]\n"
               "A memory game: find the eight picture pairs among sixteen blocks.\n"
               "\n"
               "  -h, --help     show this help and end\n"
               "      --version  show the version and end\n"
               "\n"
               "Play with the mouse: click two blocks per turn; the buttons at the right\n"
               "start a new game, switch the mode and the sound, and show help and about.\n"
               "Keys:\n"
               "  Arrows     move a ring over the blocks and, right of the board, the buttons\n"
               "  Enter      click the ringed block or button; place your name in the score\n"
               "             table when a score waits for it (Backspace corrects)\n"
               "  Space      pause and resume\n"
               "  Page Down  translucent blocks\n"
               "  R (held)   set the clock to 0:00\n"
               "  F11        full screen on and off\n"
               "  Escape     quit\n"
               "\n",
               out);
    PrintScoreLocation(out, scores);
}
