// The click: the WAV read into memory once and played from there by PlaySoundA, which cuts
// off a click still playing when the next one starts.
#include "platform/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "platform/win32/wide_path.h"

namespace {

std::vector<char> clickWave;  // the whole file; empty while closed

bool ReadWholeFile(const char* path, std::vector<char>* bytes)
{
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) && size.QuadPart > 12 && size.QuadPart < (16 << 20);
    if (read) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) &&
               got == bytes->size();
    }
    CloseHandle(file);
    return read;
}

}  // namespace

bool OpenClickSound(const char* path)
{
    std::vector<char> bytes;
    // PlaySoundA trusts the memory it is given, so only a RIFF WAVE file goes to it.
    if (!path || !ReadWholeFile(path, &bytes) || std::string(bytes.data(), 4) != "RIFF" ||
        std::string(bytes.data() + 8, 4) != "WAVE") {
        clickWave.clear();
        return false;
    }
    clickWave = std::move(bytes);
    return true;
}

void PlayClickSound()
{
    if (!clickWave.empty())
        PlaySoundA(clickWave.data(), nullptr, SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
}

void CloseClickSound()
{
    // The asynchronous play reads the memory: stop it before the memory goes.
    PlaySoundA(nullptr, nullptr, 0);
    clickWave.clear();
}
