// How the C library hands freed memory back to the system. Linux with glibc only; a no-op
// elsewhere.
#pragma once

// On SDL's offscreen driver the software GL renderer allocates and frees several megabytes
// in every frame. glibc gives freed memory at the top of the heap back to the system at
// once, so every frame faulted the same pages in again: on llvmpipe over three million
// page faults in a thousand frames, two thirds of a frame's time. Keeping up to
// kKeptFreeBytes of free heap lets the next frame reuse it. The game's own window never
// faulted so, and leaves glibc as it is. Call once, before drawing.
void KeepFreedHeapForReuse();

constexpr int kKeptFreeBytes = 32 << 20;
