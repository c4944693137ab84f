#include "lighting.h"

#include <algorithm>
#include <cmath>

namespace webgl {

namespace {

float clamped(double c) { return float(std::min(1.0, std::max(0.0, c))); }

}  // namespace

Colour litColour(const LightingState& state, const double eyePosition[3], const double eyeNormal[3]) {
    const Material& m = state.material;
    double sum[3] = {m.emission.r + double(m.ambient.r) * state.globalAmbient.r,
                     m.emission.g + double(m.ambient.g) * state.globalAmbient.g,
                     m.emission.b + double(m.ambient.b) * state.globalAmbient.b};
    for (const Light& light : state.lights) {
        if (!light.enabled) continue;
        // VP: the unit vector from the vertex towards the light; a directional light (w = 0) gives its direction.
        double toLight[3];
        for (int i = 0; i < 3; ++i)
            toLight[i] = light.position[3] != 0 ? light.position[i] - eyePosition[i] : light.position[i];
        const double length = std::sqrt(toLight[0] * toLight[0] + toLight[1] * toLight[1] + toLight[2] * toLight[2]);
        double facing = 0;
        if (length > 0)
            facing = std::max(0.0, (eyeNormal[0] * toLight[0] + eyeNormal[1] * toLight[1] + eyeNormal[2] * toLight[2]) /
                                       length);
        sum[0] += double(m.ambient.r) * light.ambient.r + facing * m.diffuse.r * light.diffuse.r;
        sum[1] += double(m.ambient.g) * light.ambient.g + facing * m.diffuse.g * light.diffuse.g;
        sum[2] += double(m.ambient.b) * light.ambient.b + facing * m.diffuse.b * light.diffuse.b;
    }
    return {clamped(sum[0]), clamped(sum[1]), clamped(sum[2]), clamped(m.diffuse.a)};
}

}  // namespace webgl
