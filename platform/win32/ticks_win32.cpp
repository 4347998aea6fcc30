// The rules' clock is the system's own tick count, as the game was designed around; the
// passes are paced on the performance counter.
#include "platform/ticks.h"

// Declared here rather than through <windows.h>, whose GetTickCount has C linkage and the
// same name as ours. A LARGE_INTEGER is one 64-bit integer.
namespace kernel32 {
extern "C" __declspec(dllimport) unsigned long __stdcall GetTickCount();
extern "C" __declspec(dllimport) int __stdcall QueryPerformanceCounter(long long* count);
extern "C" __declspec(dllimport) int __stdcall QueryPerformanceFrequency(long long* frequency);
extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);
}  // namespace kernel32

uint32_t GetTickCount()
{
    return static_cast<uint32_t>(kernel32::GetTickCount());
}

uint64_t PerformanceCount()
{
    long long count = 0;
    kernel32::QueryPerformanceCounter(&count);
    return static_cast<uint64_t>(count);
}

uint64_t PerformanceFrequency()
{
    long long frequency = 0;
    kernel32::QueryPerformanceFrequency(&frequency);
    return static_cast<uint64_t>(frequency);
}

void SleepMilliseconds(uint32_t milliseconds)
{
    kernel32::Sleep(milliseconds);
}
