// Console events that ask the game to end (Ctrl+C, Ctrl+Break, the console closed, a logoff
// or shutdown seen by a console): each sets a flag that the loop sees on its next pass. The
// window's own close and the session's end come as window messages. Windows runs the
// handler on a thread of its own; while the main thread waits in a modal box, that thread
// ends the game itself, as the POSIX watchdog does.
#include "platform/quit_signals.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <mutex>

namespace {

std::atomic<bool> quitSignalled{false};
int (*endGameCallback)() = nullptr;

// Held by the main thread except while it waits in a modal box.
std::mutex gameRunning;

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        break;
    default:
        return FALSE;
    }
    quitSignalled = true;
    // The main thread is in a box, or the loop takes the flag within a pass. A closed
    // console ends the process when this returns, so wait for the loop's own exit save.
    if (gameRunning.try_lock()) {
        int code = endGameCallback ? endGameCallback() : 1;
        ExitProcess(static_cast<UINT>(code));
    }
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(4000);
    return TRUE;
}

}  // namespace

// A windowed program may start without any of the three; the run-time library would then
// hand out 0, 1 or 2 for the first file the game opens.
void OpenStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (_get_osfhandle(fd) != -1)
            continue;
        int nul = _open("NUL", fd == 0 ? _O_RDONLY : _O_WRONLY);
        if (nul >= 0 && nul != fd) {
            _dup2(nul, fd);
            _close(nul);
        }
    }
}

void InstallQuitSignals(int (*endGame)())
{
    endGameCallback = endGame;
    gameRunning.lock();
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

bool QuitSignalled()
{
    return quitSignalled;
}

void EnterModalBox()
{
    if (endGameCallback)
        gameRunning.unlock();
}

void LeaveModalBox()
{
    if (endGameCallback)
        gameRunning.lock();
}

// The console's events come on a thread of their own, and Windows ends a program whose
// window stops answering: nothing waits here.
void EnterWindowSystem() {}
void LeaveWindowSystem() {}
void ReclaimGameOnMainThread() {}
