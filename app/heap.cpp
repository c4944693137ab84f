#include "heap.h"

#include <cstdlib>  // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>

// Blocks of up to 32 MiB (glibc's largest threshold) come from the heap rather than from mappings of their own,
// which free() would unmap, and the heap's free top goes back to the system only beyond 64 MiB.
void keepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

#else
// Other C libraries are left to their own ways.
void keepFreedMemory() {}
#endif
