// The rules' clock is the system's own tick count, as the game was designed around.
#include "platform/ticks.h"

// Declared here rather than through <windows.h>, whose GetTickCount has C linkage and the
// same name as ours.
namespace kernel32 {
extern "C" __declspec(dllimport) unsigned long __stdcall GetTickCount();
}

uint32_t GetTickCount()
{
    return static_cast<uint32_t>(kernel32::GetTickCount());
}
