#pragma once
// The builds of the sweep: the same source compiled for SSE2, which every x86-64 processor has, for AVX, and for
// WebAssembly SIMD.
#include "density_grid.h"

namespace simd_sse2 {
void sweep(const DensityGrid& grid, double isoLevel);
}
namespace simd_avx {
void sweep(const DensityGrid& grid, double isoLevel);
}
namespace simd_wasm {
void sweep(const DensityGrid& grid, double isoLevel);
}
