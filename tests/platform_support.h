#pragma once
// What the tests need from the C library where Windows' (msvcrt), WebAssembly's (musl) and the others' differ;
// nowhere else.
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

// The fingerprints that depend on the C library's sin and cos: a whole period of the animation, 210 frames, whose
// iso levels come from sin, and the camera session, whose orbits turn the eye through sin and cos of half the angle.
// glibc's and mingw-w64's agree over both (mingw-w64's iso level first differs at frame 1147); musl's differs in the
// last bit at the animation's frame 21 and at some of the session's orbit positions.
#if defined(__EMSCRIPTEN__)
constexpr const char WHOLE_PERIOD_FINGERPRINT[] = "54554c3d91713484";
constexpr const char CAMERA_SESSION_FINGERPRINT[] = "31fce16e643687cb";
#else
constexpr const char WHOLE_PERIOD_FINGERPRINT[] = "ab6e8cd521342497";
constexpr const char CAMERA_SESSION_FINGERPRINT[] = "c0331a43bb872969";
#endif
