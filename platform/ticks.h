// The system's clocks, read by the shell alone: the tick count that the rules' clock steps
// by (handed to them with each pass), and a high-resolution counter with sleeping, which
// pace the passes. The shell's own timers (a save's retries, text settling) take the ticks.
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary origin. Wraps after 2^32 ms: take differences unsigned.
uint32_t GetTickCount();

// A high-resolution counter and its ticks per second.
uint64_t PerformanceCount();
uint64_t PerformanceFrequency();

// Waits about that long, to the millisecond where the system allows it (on Windows while
// the game's window is open). Nothing of the game runs meanwhile.
void SleepMilliseconds(uint32_t milliseconds);
