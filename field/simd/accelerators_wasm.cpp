#include "accelerators.h"

#include "sweeps.h"

namespace {

// A module with SIMD instructions loads only where the engine has them, so wherever this runs, the sweep does.
bool always() { return true; }

const Accelerator WASM[] = {{"wasm-simd128", simd_wasm::sweep, always}};

}  // namespace

Accelerators accelerators() { return {WASM, sizeof WASM / sizeof WASM[0]}; }
