#pragma once
#include <cstdint>

#include "vec.h"

Vec3 interpolateEdge(const Vec3& pa, const Vec3& pb, double va, double vb, double isoLevel);
void polygonizeCell(const Vec3& minCorner, const Vec3& maxCorner, const double values[8], const Vec3 normals[8],
                    const int32_t* row, double isoLevel);
