#pragma once
// GL 1.1's lighting of one vertex (2.13.1) for the state the viewer can set: positional or directional lights with
// their diffuse and ambient colours, the material's emission, ambient and diffuse colours, the global ambient light.
// What the viewer never changes keeps GL's initial value and so drops out of the sum: no specular colour of the
// material (so no highlight), no spot lights, no attenuation (constant 1), a local viewer off, one-sided lighting.
// Normals are used as given, since GL_NORMALIZE is off.
namespace webgl {

struct Colour {
    float r, g, b, a;
};

struct Light {
    bool enabled = false;
    // In eye coordinates, as glLightfv left it under the modelview of the time: a direction (w = 0) or a point
    // divided through by its w (w = 1), once here rather than for every vertex lit.
    double position[4] = {0, 0, 1, 0};
    Colour ambient{0, 0, 0, 1};
    Colour diffuse{0, 0, 0, 1};
};

struct Material {
    Colour emission{0, 0, 0, 1};
    Colour ambient{0.2f, 0.2f, 0.2f, 1};
    Colour diffuse{0.8f, 0.8f, 0.8f, 1};
};

constexpr int LIGHT_COUNT = 8;

struct LightingState {
    Light lights[LIGHT_COUNT];
    Material material;
    Colour globalAmbient{0.2f, 0.2f, 0.2f, 1};
};

// The colour of a vertex at eyePosition (eye coordinates, w = 1) with eyeNormal (already in eye space), each
// component clamped to [0, 1]; alpha is the material's diffuse alpha.
Colour litColour(const LightingState& state, const double eyePosition[3], const double eyeNormal[3]);

}  // namespace webgl
