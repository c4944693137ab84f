#pragma once
// What the tests need from the C library where Windows' (msvcrt) and the others' differ; nowhere else.
#include <cstddef>
#include <cstdio>
#include <cstdlib>

#if defined(_WIN32)
#include <malloc.h>
#else
#include <stdio_ext.h>
#endif

// Bytes written to `stream` that are still in its buffer, not yet handed to the system.
inline std::size_t pendingOutput(std::FILE* stream) {
#if defined(_WIN32)
    return std::size_t(stream->_ptr - stream->_base);
#else
    return __fpending(stream);
#endif
}

// `size` bytes, a whole number of `alignment`s, aligned to it; given back through alignedFree. msvcrt has no
// aligned_alloc, since its free could not release such a block.
inline void* alignedAllocate(std::size_t size, std::size_t alignment) {
#if defined(_WIN32)
    return _aligned_malloc(size, alignment);
#else
    return std::aligned_alloc(alignment, size);
#endif
}
inline void alignedFree(void* p) {
#if defined(_WIN32)
    _aligned_free(p);
#else
    std::free(p);
#endif
}
