#include "polygonizer.h"

#include "gl.h"

#include "mc_tables.h"

Vec3 interpolateEdge(const Vec3& pa, const Vec3& pb, double va, double vb, double isoLevel) {
    const double t = (isoLevel - va) / (vb - va);
    return pa + (pb - pa) * t;
}

void polygonizeCell(const Vec3& minCorner, const Vec3& maxCorner, const double values[8], const Vec3 normals[8],
                    const int32_t* row, double isoLevel) {
    // Far corners are minCorner + size rather than maxCorner: the two can differ in the last bit.
    const Vec3 size = maxCorner - minCorner;
    Vec3 corner[8];
    for (int n = 0; n < 8; ++n) {
        const int* o = CORNER_OFFSET[n];
        corner[n] = minCorner + Vec3(o[0] * size.x, o[1] * size.y, o[2] * size.z);
    }

    glBegin(GL_TRIANGLES);
    for (const int32_t* edge = row; *edge != -1; edge += 3) {
        Vec3 position[3], normal[3];
        for (int v = 0; v < 3; ++v) {
            const int a = EDGE_CORNERS[edge[v]][0], b = EDGE_CORNERS[edge[v]][1];
            position[v] = interpolateEdge(corner[a], corner[b], values[a], values[b], isoLevel);
            normal[v] = (normals[a] + normals[b]) * 0.5;
        }
        for (int v = 0; v < 3; ++v) {
            glNormal3dv(normal[v].data());
            glVertex3dv(position[v].data());
        }
    }
    glEnd();
}
