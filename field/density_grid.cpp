#include "density_grid.h"

#include "kernels.h"

DensityGrid densityGrid;

void fillDensityGrid() {
    if (cpuHasAvx())
        kernel_avx::fill(densityGrid);
    else
        kernel_sse2::fill(densityGrid);
}
