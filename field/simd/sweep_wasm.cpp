// Compiled with WebAssembly SIMD (-msimd128) and emscripten's SSE2 header: the SSE2 build of the sweep.
#define FIELD_SIMD_NAMESPACE simd_wasm
#include "sweep.inc"
