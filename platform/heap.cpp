#include "platform/heap.h"

#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedHeapForReuse()
{
#if defined(__GLIBC__)
    // Also stops glibc raising the threshold by itself, which only ever kept less.
    mallopt(M_TRIM_THRESHOLD, kKeptFreeBytes);
#endif
}
