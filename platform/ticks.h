// The rules' clock: the countdown and the frame-rate step read it. (The shell paces its
// passes and settles text sizes on clocks of its own.)
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary origin. Wraps after 2^32 ms: take differences unsigned.
uint32_t GetTickCount();
