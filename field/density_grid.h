#pragma once

constexpr int GRID_N = 40;
constexpr double CELL_SIZE = 0.025;

// One contiguous block, point (i, j, k) at i * 1600 + j * 40 + k (k fastest).
using DensityGrid = double[GRID_N * GRID_N * GRID_N];
extern DensityGrid densityGrid;

void fillDensityGrid();
