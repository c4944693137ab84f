#include "polygonizer.h"

#include "kernels.h"

Vec3 interpolateEdge(const Vec3& pa, const Vec3& pb, double va, double vb, double isoLevel) {
    const double t = (isoLevel - va) / (vb - va);
    return pa + (pb - pa) * t;
}

void polygonizeCell(const Vec3& minCorner, const Vec3& maxCorner, const double values[8], const Vec3 normals[8],
                    const int32_t* row, double isoLevel) {
    if (cpuHasAvx())
        kernel_avx::polygonize(minCorner, maxCorner, values, normals, row, isoLevel);
    else
        kernel_sse2::polygonize(minCorner, maxCorner, values, normals, row, isoLevel);
}
