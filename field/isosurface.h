#pragma once
#include "vec.h"

extern double animTime;

Vec3 gridNormal(const double* grid, int i, int j, int k, int nx, int ny, int nz);
void drawIsosurface();
