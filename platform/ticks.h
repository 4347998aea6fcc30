// The game's only time source.
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary origin. Wraps after 2^32 ms: take differences unsigned.
uint32_t GetTickCount();
