#pragma once

constexpr int GRID_N = 40;
constexpr double CELL_SIZE = 0.025;

// The metaball field sampled on GRID_N^3 points, filled once at start-up and read-only afterwards. Point (i, j, k)
// lies at linear position i * 1600 + j * 40 + k (k fastest) and at world position (i, j, k) * CELL_SIZE. Its value
//
//   F = 1 / |p - c1|^2 + 1 / |p - c2|^2 + 0.5 / |q - c3|^2,   summed in this order,
//
// with p = (i, j, k) * 0.025, q = (i, j, k) / 40.0, c1 = (0.325, 0.325, 0.325), c2 = (0.65, 0.65, 0.65) and
// c3 = (100.0 / 3, 100.0 / 3, 10.0) / 40.0, and each squared length formed as (z*z + y*y) + x*x. The third source
// is placed in index units, so its term uses q: index * 0.025 and index / 40.0 differ in the last bit for 15 of the
// 40 indices. c1 and c2 fall exactly on the points (13, 13, 13) and (26, 26, 26), which therefore hold +infinity;
// c3 lies between points and its term is finite everywhere.
using DensityGrid = double[GRID_N * GRID_N * GRID_N];
extern DensityGrid densityGrid;

void fillDensityGrid();
