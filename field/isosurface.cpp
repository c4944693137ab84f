#include "isosurface.h"

#include <cmath>

#include "density_grid.h"
#include "mc_tables.h"
#include "polygonizer.h"

double animTime = 0;

namespace {

// Grid offset (dx, dy, dz) of each cell corner in the tables' numbering.
constexpr int CORNER_OFFSET[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1},
                                     {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};

constexpr int STRIDE_I = GRID_N * GRID_N, STRIDE_J = GRID_N;

}  // namespace

Vec3 gridNormal(const double* grid, int i, int j, int k, int nx, int ny, int nz) {
    const double* g = grid + i * STRIDE_I + j * STRIDE_J + k;
    const double c0 = *g;
    const double xm = i > 0 ? g[-STRIDE_I] : c0, xp = i < nx - 1 ? g[STRIDE_I] : c0;
    const double ym = j > 0 ? g[-STRIDE_J] : c0, yp = j < ny - 1 ? g[STRIDE_J] : c0;
    const double zm = k > 0 ? g[-1] : c0, zp = k < nz - 1 ? g[1] : c0;
    const Vec3 d(xp - xm, yp - ym, zp - zm);
    const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    // A flat spot has no direction; 0/0 would hand NaN normals to the lighting.
    if (len == 0.0) return Vec3(0, 0, 0);
    return d / len;
}

void drawIsosurface() {
    animTime += 0.03;
    const double isoLevel = 10 * std::sin(animTime) + 25;
    for (int i = 0; i < GRID_N - 1; ++i)
        for (int j = 0; j < GRID_N - 1; ++j)
            for (int k = 0; k < GRID_N - 1; ++k) {
                double values[8];
                int cubeIndex = 0;
                for (int n = 0; n < 8; ++n) {
                    const int* o = CORNER_OFFSET[n];
                    values[n] = densityGrid[(i + o[0]) * STRIDE_I + (j + o[1]) * STRIDE_J + k + o[2]];
                    if (values[n] > isoLevel) cubeIndex |= 1 << n;
                }
                if (cubeIndex == 0 || cubeIndex == 255) continue;

                Vec3 normals[8];
                for (int n = 0; n < 8; ++n) {
                    const int* o = CORNER_OFFSET[n];
                    normals[n] = gridNormal(densityGrid, i + o[0], j + o[1], k + o[2], GRID_N, GRID_N, GRID_N);
                }
                const Vec3 minCorner(i * CELL_SIZE, j * CELL_SIZE, k * CELL_SIZE);
                const Vec3 maxCorner((i + 1) * CELL_SIZE, (j + 1) * CELL_SIZE, (k + 1) * CELL_SIZE);
                polygonizeCell(minCorner, maxCorner, values, normals, TRI_TABLE[cubeIndex], isoLevel);
            }
}
