#include "cpu.h"

#if defined(_MSC_VER) && !defined(__clang__)
#include <immintrin.h>
#include <intrin.h>
#endif

bool cpuHasAvx() {
    static const bool avx = [] {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
#elif defined(_MSC_VER)
        // The processor has AVX (bit 28) and the system saves the YMM registers (OSXSAVE, bit 27, and XCR0).
        int info[4];
        __cpuid(info, 1);
        const bool cpu = (info[2] >> 27 & 1) && (info[2] >> 28 & 1);
        return cpu && (_xgetbv(0) & 6) == 6;
#else
        return false;  // SSE2 is there on every x86-64 processor
#endif
    }();
    return avx;
}
