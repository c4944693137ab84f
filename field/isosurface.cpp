#include "isosurface.h"

#include <cmath>

#include "accelerators.h"
#include "mc_tables.h"
#include "polygonizer.h"

double animTime = 0;

namespace {

constexpr int STRIDE_I = GRID_N * GRID_N, STRIDE_J = GRID_N;

double at(const DensityGrid& grid, int i, int j, int k) { return grid[i * STRIDE_I + j * STRIDE_J + k]; }

}  // namespace

Sweep chosenSweep() {
    static const Sweep chosen = [] {
        Sweep sweep = plainSweep;
        for (const Accelerator& accelerator : accelerators())
            if (accelerator.runsHere()) sweep = accelerator.sweep;
        return sweep;
    }();
    return chosen;
}

Vec3 gridNormal(const DensityGrid& grid, int i, int j, int k) {
    constexpr int LAST = GRID_N - 1;
    const double c0 = at(grid, i, j, k);
    const double xm = i > 0 ? at(grid, i - 1, j, k) : c0, xp = i < LAST ? at(grid, i + 1, j, k) : c0;
    const double ym = j > 0 ? at(grid, i, j - 1, k) : c0, yp = j < LAST ? at(grid, i, j + 1, k) : c0;
    const double zm = k > 0 ? at(grid, i, j, k - 1) : c0, zp = k < LAST ? at(grid, i, j, k + 1) : c0;
    const Vec3 d(xp - xm, yp - ym, zp - zm);
    const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    // 0/0 would hand NaN normals to the lighting.
    if (len == 0.0) return Vec3(0, 0, 0);
    return d / len;
}

void plainSweep(const DensityGrid& grid, double isoLevel) {
    for (int i = 0; i < GRID_N - 1; ++i)
        for (int j = 0; j < GRID_N - 1; ++j)
            for (int k = 0; k < GRID_N - 1; ++k) {
                double values[8];
                int cubeIndex = 0;
                for (int n = 0; n < 8; ++n) {
                    const int* o = CORNER_OFFSET[n];
                    values[n] = at(grid, i + o[0], j + o[1], k + o[2]);
                    if (values[n] > isoLevel) cubeIndex |= 1 << n;
                }
                if (cubeIndex == 0 || cubeIndex == 255) continue;

                Vec3 normals[8];
                for (int n = 0; n < 8; ++n) {
                    const int* o = CORNER_OFFSET[n];
                    normals[n] = gridNormal(grid, i + o[0], j + o[1], k + o[2]);
                }
                const Vec3 minCorner(i * CELL_SIZE, j * CELL_SIZE, k * CELL_SIZE);
                const Vec3 maxCorner((i + 1) * CELL_SIZE, (j + 1) * CELL_SIZE, (k + 1) * CELL_SIZE);
                polygonizeCell(minCorner, maxCorner, values, normals, TRI_TABLE[cubeIndex], isoLevel);
            }
}

void advanceAnimation() { animTime += 0.03; }

void drawIsosurface() {
    advanceAnimation();
    const double isoLevel = 10 * std::sin(animTime) + 25;
    chosenSweep()(densityGrid, isoLevel);
}
