// Compiled with -mavx. Only the kernel lives here: any inline function from a shared header could otherwise be
// emitted with AVX instructions and chosen by the linker for the SSE2 callers.
#define FIELD_KERNEL_NAMESPACE kernel_avx
#include "kernel.inc"
