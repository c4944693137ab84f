#pragma once
// A draw's state as the vertex shader takes it, from the pipeline's GL state.
#include "frame.h"
#include "lighting.h"
#include "mat4.h"

namespace webgl {

// Vertices in object coordinates, carried by modelview and projection; lit with normals, taken into eye space by
// normals, if lit, and otherwise of the colour they carry.
DrawState drawState(const Mat4& modelview, const Mat4& projection, const Mat4& normals, bool lit,
                    const LightingState& lighting);
// Vertices already in clip coordinates with their colours, as wide lines come: identity matrices, no lighting.
DrawState passThroughState();

bool sameState(const DrawState& a, const DrawState& b);

}  // namespace webgl
