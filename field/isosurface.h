#pragma once
#include "vec.h"

// Animation phase; each drawIsosurface() call advances it by 0.03 before drawing.
extern double animTime;

// Unit central-difference gradient at grid point (i, j, k), one-sided at the borders. The grid is read with the
// density grid's strides (1600, 40, 1); nx, ny, nz only clamp the upper borders. A flat spot gives (0, 0, 0).
Vec3 gridNormal(const double* grid, int i, int j, int k, int nx, int ny, int nz);
// Emits one frame of the surface of densityGrid at the iso level of the advanced animTime.
void drawIsosurface();
