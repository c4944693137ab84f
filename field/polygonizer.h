#pragma once
#include <cstdint>

#include "vec.h"

// Point where the field, linear from pa (va) to pb (vb), reaches isoLevel.
Vec3 interpolateEdge(const Vec3& pa, const Vec3& pb, double va, double vb, double isoLevel);
// One GL_TRIANGLES block for the cell's TRI_TABLE row; values and normals in corner order. Each vertex is
// interpolated along its edge from the first corner, and its normal is the mean of the edge's two corner normals,
// sent as it is, not renormalised.
void polygonizeCell(const Vec3& minCorner, const Vec3& maxCorner, const double values[8], const Vec3 normals[8],
                    const int32_t* row, double isoLevel);
