#pragma once
#include "accelerators.h"
#include "density_grid.h"
#include "vec.h"

// Animation phase; each drawIsosurface() call advances it by 0.03 before drawing.
extern double animTime;

// The animation's step for one frame: the addition drawIsosurface() makes first. A frame left undrawn takes it too,
// so the next frame drawn is the one it would have been.
void advanceAnimation();

// Unit gradient at grid point (i, j, k): d = (x+ - x-, y+ - y-, z+ - z-) from the six neighbours, not halved,
// divided by sqrt((d.x * d.x + d.y * d.y) + d.z * d.z). A neighbour past the border of the grid is the point itself,
// so there the difference spans one step. A flat spot, with no direction to give, yields (0, 0, 0).
Vec3 gridNormal(const DensityGrid& grid, int i, int j, int k);

// One frame of grid's surface at isoLevel, the algorithm as it is meant: each cell, k fastest, classified by its
// corners strictly above isoLevel; each crossed cell with its eight corner normals handed to polygonizeCell, one
// GL_TRIANGLES block per cell. Every processor can run it, and every accelerator is held against it.
void plainSweep(const DensityGrid& grid, double isoLevel);

// The sweep drawIsosurface() runs: the last accelerator that runs on this processor, else plainSweep; decided once.
Sweep chosenSweep();

// Advances animTime, then draws densityGrid's surface at 10 * sin(animTime) + 25 with the fastest sweep that runs
// on this processor.
void drawIsosurface();
