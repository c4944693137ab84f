#include "wire_cube.h"

namespace webgl {

void drawWireCube(Pipeline& pipeline, double size) {
    static const float FACES[6][4][3] = {
        {{.5f, .5f, .5f}, {-.5f, .5f, .5f}, {-.5f, -.5f, .5f}, {.5f, -.5f, .5f}},
        {{.5f, .5f, .5f}, {.5f, -.5f, .5f}, {.5f, -.5f, -.5f}, {.5f, .5f, -.5f}},
        {{.5f, .5f, .5f}, {.5f, .5f, -.5f}, {-.5f, .5f, -.5f}, {-.5f, .5f, .5f}},
        {{-.5f, .5f, .5f}, {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}, {-.5f, -.5f, .5f}},
        {{-.5f, -.5f, -.5f}, {.5f, -.5f, -.5f}, {.5f, -.5f, .5f}, {-.5f, -.5f, .5f}},
        {{.5f, -.5f, -.5f}, {-.5f, -.5f, -.5f}, {-.5f, .5f, -.5f}, {.5f, .5f, -.5f}}};
    static const float NORMALS[6][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    // freeglut scales its vertices in single precision, and only for another size than 1.
    const float scale = float(size);
    const double* n = pipeline.currentNormalValue();
    const double kept[3] = {n[0], n[1], n[2]};
    for (int f = 0; f < 6; ++f) {
        pipeline.begin(PRIMITIVE_LINE_LOOP);
        pipeline.normal(NORMALS[f][0], NORMALS[f][1], NORMALS[f][2]);
        for (const float* v : FACES[f]) {
            if (scale == 1.0f) pipeline.vertex(v[0], v[1], v[2]);
            else pipeline.vertex(scale * v[0], scale * v[1], scale * v[2]);
        }
        pipeline.end();
    }
    pipeline.normal(kept[0], kept[1], kept[2]);
}

}  // namespace webgl
