#include "tests/fuzz/fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace fs = std::filesystem;

const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        std::string base = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string made = base + "/flipora_fuzz_XXXXXX";
        if (!mkdtemp(made.data()))
            std::abort();
        return made;
    }();
    return folder;
}

ScoreFile FreshScoreFile()
{
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored))
        fs::remove_all(entry.path(), ignored);
    return ScoreFileAt(ScratchFolder() + "/Scores.txt");
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
