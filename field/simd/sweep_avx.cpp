// Compiled with AVX. Only the sweep lives here: any inline function from a shared header could otherwise be
// emitted with AVX instructions and chosen by the linker for the SSE2 callers.
#define FIELD_SIMD_NAMESPACE simd_avx
#include "sweep.inc"
