#include "draw_state.h"

#include "matrix.h"

#include <cstring>

namespace webgl {

namespace {

void columns(const Mat4& m, float out[16]) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) out[4 * c + r] = float(m(r, c));
}

}  // namespace

DrawState drawState(const Mat4& modelview, const Mat4& projection, const Mat4& normals, bool lit,
                    const LightingState& lighting) {
    DrawState s{};
    columns(modelview, s.modelview);
    columns(projection, s.projection);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) s.normals[3 * c + r] = float(normals(r, c));
    s.lighting = lit;
    const Material& m = lighting.material;
    s.sceneColour[0] = float(m.emission.r + double(m.ambient.r) * lighting.globalAmbient.r);
    s.sceneColour[1] = float(m.emission.g + double(m.ambient.g) * lighting.globalAmbient.g);
    s.sceneColour[2] = float(m.emission.b + double(m.ambient.b) * lighting.globalAmbient.b);
    int n = 0;
    for (const Light& light : lighting.lights) {
        if (!light.enabled) continue;
        for (int i = 0; i < 4; ++i) s.lightPosition[n][i] = float(light.position[i]);
        s.lightAmbient[n][0] = float(double(m.ambient.r) * light.ambient.r);
        s.lightAmbient[n][1] = float(double(m.ambient.g) * light.ambient.g);
        s.lightAmbient[n][2] = float(double(m.ambient.b) * light.ambient.b);
        s.lightDiffuse[n][0] = float(double(m.diffuse.r) * light.diffuse.r);
        s.lightDiffuse[n][1] = float(double(m.diffuse.g) * light.diffuse.g);
        s.lightDiffuse[n][2] = float(double(m.diffuse.b) * light.diffuse.b);
        ++n;
    }
    s.lightCount = float(n);
    return s;
}

DrawState passThroughState() {
    const Mat4 identity = identityMatrix();
    return drawState(identity, identity, identity, false, LightingState());
}

// Bit for bit: a state is floats alone, with no padding between them.
bool sameState(const DrawState& a, const DrawState& b) { return std::memcmp(&a, &b, sizeof(DrawState)) == 0; }

}  // namespace webgl
