#pragma once
#include <cstddef>

#include "density_grid.h"

// What plainSweep does, by whatever means.
using Sweep = void (*)(const DensityGrid& grid, double isoLevel);

// A faster build of plainSweep for one processor family: the same GL calls, bit for bit.
struct Accelerator {
    const char* name;
    Sweep sweep;
    bool (*runsHere)();  // whether this processor has the instructions it was built with
};

struct Accelerators {
    const Accelerator* first;
    std::size_t count;
    const Accelerator* begin() const { return first; }
    const Accelerator* end() const { return first + count; }
};

// The accelerators built for the target processor, fastest last; none for most processors, which run plainSweep.
Accelerators accelerators();
