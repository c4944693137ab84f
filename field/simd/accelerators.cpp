#include "accelerators.h"

#include "cpu.h"
#include "sweeps.h"

namespace {

bool always() { return true; }

const Accelerator X86_64[] = {{"sse2", simd_sse2::sweep, always}, {"avx", simd_avx::sweep, cpuHasAvx}};

}  // namespace

Accelerators accelerators() { return {X86_64, sizeof X86_64 / sizeof X86_64[0]}; }
