// The Windows program: the shell prepares the game, the Win32 front end opens the window,
// and the shell plays the game in it until a quit.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/shell.h"
#include "app/win32/win32_front_end.h"
#include "platform/message_box.h"

namespace {

// Where --help, --version and a refused option print to when the game has no console.
std::wstring capturedOutput;

bool HasStream(DWORD which)
{
    HANDLE stream = GetStdHandle(which);
    return stream != nullptr && stream != INVALID_HANDLE_VALUE && GetFileType(stream) != FILE_TYPE_UNKNOWN;
}

// A windowed program has no console of its own. Output already redirected (or handed on,
// as Wine does) stays where it goes; started from a console, the text goes there;
// otherwise it is caught in a file and shown in a box should the game end before its window.
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

// The game ended before its window: what it printed, in a box.
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

// Once the window is open, nothing more is shown from the captured output.
void DropCapturedOutput()
{
    if (capturedOutput.empty())
        return;
    std::freopen("NUL", "w", stdout);
    std::freopen("NUL", "w", stderr);
    DeleteFileW(capturedOutput.c_str());
    capturedOutput.clear();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    FindConsole();
    int exitCode = 0;
    if (!PrepareGame(__argc, __argv, &exitCode)) {
        ShowCapturedOutput(exitCode);
        DropCapturedOutput();
        return exitCode;
    }
    // Sleeps to the millisecond, so that the passes keep their 1/60 s.
    timeBeginPeriod(1);
    if (!OpenMainWindow(kWindowTitle, kWindowWidth, kWindowHeight, kColourBits)) {
        timeEndPeriod(1);
        DropCapturedOutput();
        return 1;  // a failed start is a failure
    }
    DropCapturedOutput();

    Win32FrontEnd frontEnd;
    exitCode = PlayGame(frontEnd);
    CloseMainWindow();
    ReleaseGame();
    timeEndPeriod(1);
    // A normal quit is a success, a failed save is not.
    return exitCode;
}
