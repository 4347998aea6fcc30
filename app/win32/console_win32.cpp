// A windowed program's console: where --help, --version and a refused option print to,
// and what is shown of it when the game ends before its window.
#include "app/win32/win32_front_end.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/message_box.h"

namespace {

// Where --help, --version and a refused option print to when the game has no console.
std::wstring capturedOutput;

bool HasStream(DWORD which)
{
    HANDLE stream = GetStdHandle(which);
    return stream != nullptr && stream != INVALID_HANDLE_VALUE && GetFileType(stream) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void FindConsole()
{
    if (HasStream(STD_OUTPUT_HANDLE) || HasStream(STD_ERROR_HANDLE))
        return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        return;
    }
    wchar_t folder[MAX_PATH];
    wchar_t name[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"flp", 0, name))
        return;
    capturedOutput = name;
    if (!_wfreopen(name, L"w", stdout) || !_wfreopen(name, L"a", stderr))
        capturedOutput.clear();
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}

void ShowCapturedOutput(int exitCode)
{
    if (capturedOutput.empty())
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    std::string text;
    if (FILE* file = _wfopen(capturedOutput.c_str(), L"rb")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, got);
        std::fclose(file);
    }
    if (!text.empty())
        ShowMessageBox(text.c_str(), "Flipora", BoxButtons::Ok,
                       exitCode == 0 ? BoxIcon::Information : BoxIcon::Exclamation, false);
}

void DropCapturedOutput()
{
    if (capturedOutput.empty())
        return;
    std::freopen("NUL", "w", stdout);
    std::freopen("NUL", "w", stderr);
    DeleteFileW(capturedOutput.c_str());
    capturedOutput.clear();
}
