#pragma once
#include <cstdint>

#include "vec.h"

// The field's hot loops, built once for plain x86-64 (SSE2) and once for AVX. Both builds perform the same
// correctly rounded IEEE operations in the same order, so they give identical bits; the AVX one is faster.
#define FIELD_KERNEL_API                                                                                         \
    void fill(double* grid);                                                                                     \
    void sweep(const double* grid, double isoLevel);                                                             \
    void polygonize(const Vec3& minCorner, const Vec3& maxCorner, const double values[8], const Vec3 normals[8], \
                    const int32_t* row, double isoLevel);
namespace kernel_sse2 {
FIELD_KERNEL_API
}
namespace kernel_avx {
FIELD_KERNEL_API
}
#undef FIELD_KERNEL_API

// True when this processor and the operating system run AVX; decided once.
bool cpuHasAvx();
