#define FIELD_SIMD_NAMESPACE simd_sse2
#include "sweep.inc"
