#include "density_grid.h"

#include "vec.h"

DensityGrid densityGrid;

void fillDensityGrid() {
    const Vec3 c1(0.325, 0.325, 0.325);
    const Vec3 c2(0.65, 0.65, 0.65);
    const Vec3 c3 = Vec3(100.0 / 3, 100.0 / 3, 10.0) / 40.0;
    for (int i = 0; i < GRID_N; ++i)
        for (int j = 0; j < GRID_N; ++j)
            for (int k = 0; k < GRID_N; ++k) {
                double& value = densityGrid[i * GRID_N * GRID_N + j * GRID_N + k];
                value = 0.0;
                const Vec3 p(i * CELL_SIZE, j * CELL_SIZE, k * CELL_SIZE);
                Vec3 d = p - c1;
                value += 1.0 / dot(d, d);
                d = p - c2;
                value += 1.0 / dot(d, d);
                d = Vec3(i, j, k) / 40.0 - c3;
                value += 0.5 / dot(d, d);
            }
}
