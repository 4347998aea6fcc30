// A quit signal only sets a flag and wakes the watchdog; the loop sees the flag on its
// next pass. A modal box keeps the main thread from the loop for as long as nobody
// answers (a logout does not), so the watchdog ends the game itself then; a window system
// that does not answer may keep it as long, so a second after the signal the watchdog
// ends the game from there too.
#include "platform/quit_signals.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

volatile sig_atomic_t quitSignalled = 0;
int wakePipe[2] = {-1, -1};
pid_t gamePid = 0;
int (*endGameCallback)() = nullptr;
std::atomic<bool> installed{false};

// Held by the main thread except while it waits in a modal box or the window system.
pthread_mutex_t mainThreadRunning = PTHREAD_MUTEX_INITIALIZER;
pthread_t mainThread;
std::atomic<bool> inModalBox{false};
bool mainHoldsGame = false;  // the main thread's own record, read only by it

// After the signal, the loop has this long to take it before the watchdog steps in where
// the main thread waits in the window system; and this long before the end comes anyway.
constexpr auto kLoopAnswers = std::chrono::seconds(1);
constexpr auto kLastChance = std::chrono::seconds(2);
constexpr auto kWatchStep = std::chrono::milliseconds(10);

void OnQuitSignal(int)
{
    // SDL shows a message box from a forked child that inherits this handler: there the
    // signal just ends the box.
    if (getpid() != gamePid)
        _exit(0);
    int saved = errno;
    quitSignalled = 1;
    char byte = 'q';
    ssize_t ignored = write(wakePipe[1], &byte, 1);
    (void)ignored;
    errno = saved;
}

// The box's child process would outlive the game and leave the box on the screen.
void EndBoxProcesses()
{
    std::string path = "/proc/self/task/" + std::to_string(gamePid) + "/children";
    FILE* list = std::fopen(path.c_str(), "r");
    if (!list)
        return;
    std::vector<pid_t> children;
    long pid = 0;
    while (std::fscanf(list, "%ld", &pid) == 1)
        children.push_back(static_cast<pid_t>(pid));
    std::fclose(list);
    for (pid_t child : children)
        kill(child, SIGTERM);
}

bool OnMainThreadInstalled()
{
    return installed && pthread_equal(pthread_self(), mainThread);
}

void* Watch(void*)
{
    char byte = 0;
    while (read(wakePipe[0], &byte, 1) != 1) {
        if (errno != EINTR)
            return nullptr;
    }
    // While the main thread runs the loop, the loop takes the flag, saves and ends the
    // process, and this thread never goes past the first second. In a box it steps in at
    // once; where the main thread waits in the window system, after the loop's second.
    using Clock = std::chrono::steady_clock;
    auto signalled = Clock::now();
    bool held = false;
    while (!held && Clock::now() - signalled < kLastChance) {
        bool mayStepIn = inModalBox || Clock::now() - signalled >= kLoopAnswers;
        held = mayStepIn && pthread_mutex_trylock(&mainThreadRunning) == 0;
        if (!held)
            std::this_thread::sleep_for(kWatchStep);
    }
    if (!held) {
        std::fprintf(stderr, "flipora: the game did not answer the quit signal within 2 s; "
                             "it ends without saving\n");
        EndBoxProcesses();
        std::fflush(stderr);
        _exit(1);
    }
    int code = endGameCallback ? endGameCallback() : 1;
    EndBoxProcesses();
    std::fflush(stderr);
    _exit(code);
}

void LetGo()
{
    if (OnMainThreadInstalled() && mainHoldsGame) {
        mainHoldsGame = false;
        pthread_mutex_unlock(&mainThreadRunning);
    }
}

void TakeBack()
{
    if (OnMainThreadInstalled() && !mainHoldsGame) {
        pthread_mutex_lock(&mainThreadRunning);
        mainHoldsGame = true;
    }
}



}  // namespace

void OpenStandardDescriptors()
{
    // open() takes the lowest free number, which is the closed one.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        int opened = open("/dev/null", O_RDWR);
        if (opened > 2)
            close(opened);  // cannot happen while fd is free; keep the count right anyway
    }
}

void InstallQuitSignals(int (*endGame)())
{
    endGameCallback = endGame;
    gamePid = getpid();
    mainThread = pthread_self();
    signal(SIGPIPE, SIG_IGN);
    if (pipe(wakePipe) != 0) {
        std::perror("flipora: quit signals");
        return;
    }
    pthread_mutex_lock(&mainThreadRunning);
    mainHoldsGame = true;
    pthread_t watchdog;
    if (pthread_create(&watchdog, nullptr, Watch, nullptr) != 0) {
        std::perror("flipora: quit signal watchdog");
        pthread_mutex_unlock(&mainThreadRunning);
    } else {
        pthread_detach(watchdog);
        installed = true;
    }
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int quitSignal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT})
        sigaction(quitSignal, &action, nullptr);
}

bool QuitSignalled()
{
    return quitSignalled != 0;
}

void EnterModalBox()
{
    if (OnMainThreadInstalled())
        inModalBox = true;
    LetGo();
}

void LeaveModalBox()
{
    TakeBack();
    inModalBox = false;
}

void EnterWindowSystem()
{
    LetGo();
}

void LeaveWindowSystem()
{
    TakeBack();
}

void ReclaimGameOnMainThread()
{
    TakeBack();
}
