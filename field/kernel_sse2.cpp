#define FIELD_KERNEL_NAMESPACE kernel_sse2
#include "kernel.inc"
