#include "isosurface.h"

#include <cmath>

#include "density_grid.h"
#include "kernels.h"

double animTime = 0;

namespace {

constexpr int STRIDE_I = GRID_N * GRID_N, STRIDE_J = GRID_N;

}  // namespace

Vec3 gridNormal(const double* grid, int i, int j, int k, int nx, int ny, int nz) {
    // A neighbour past the border is the point itself: offset 0 instead of a branch per read.
    const double* g = grid + i * STRIDE_I + j * STRIDE_J + k;
    const double xm = g[i > 0 ? -STRIDE_I : 0], xp = g[i < nx - 1 ? STRIDE_I : 0];
    const double ym = g[j > 0 ? -STRIDE_J : 0], yp = g[j < ny - 1 ? STRIDE_J : 0];
    const double zm = g[k > 0 ? -1 : 0], zp = g[k < nz - 1 ? 1 : 0];
    const Vec3 d(xp - xm, yp - ym, zp - zm);
    const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    // A flat spot has no direction; 0/0 would hand NaN normals to the lighting.
    if (len == 0.0) return Vec3(0, 0, 0);
    return d / len;
}

void drawIsosurface() {
    animTime += 0.03;
    const double isoLevel = 10 * std::sin(animTime) + 25;
    if (cpuHasAvx())
        kernel_avx::sweep(densityGrid, isoLevel);
    else
        kernel_sse2::sweep(densityGrid, isoLevel);
}
