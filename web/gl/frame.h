#pragma once
// One frame as WebGL will draw it: the vertices of every primitive, turned into triangles, in a single buffer; the
// states they are drawn with, as the vertex shader's uniforms; and the few commands that say how to draw it. The
// GPU transforms and lights the triangles, as a GL driver would; the wide lines, a few dozen vertices, come already
// transformed and lit. The viewer's frame, some 3,700 glBegin/glEnd blocks, comes out as one clear and three draws.
#include "lighting.h"

#include <cstdint>
#include <vector>

namespace webgl {

struct FrameVertex {
    float x, y, z, w;  // object coordinates, or clip coordinates for a wide line's
    // The normal under a lit state; otherwise the colour: GL's current colour, or the one a wide line was lit with.
    // The viewer never blends, so alpha would go unused.
    float normalOrColour[3];
};

// GL's transform and lighting state for a draw, as the vertex shader takes it (library_page.js reads it by these
// offsets): matrices column by column, as WebGL's uniformMatrix wants them, and the material folded into each light,
// as drivers fold it. The enabled lights come first in the arrays, in GL's order.
struct DrawState {
    float modelview[16], projection[16];
    float normals[9];                     // the normal matrix (inverse transpose of the modelview's 3 x 3)
    float lighting;                       // 1: lit, the vertices carry normals; 0: they carry their colour
    float lightCount;                     // enabled lights
    float sceneColour[3];                 // material emission + material ambient * global ambient
    float lightPosition[LIGHT_COUNT][4];  // eye coordinates: a point (w = 1) or a direction (w = 0)
    float lightAmbient[LIGHT_COUNT][3];   // material ambient * light ambient
    float lightDiffuse[LIGHT_COUNT][3];   // material diffuse * light diffuse
};

enum CommandKind : int32_t { CLEAR = 1, VIEWPORT = 2, DRAW = 3 };

// Five 32-bit integers, as the page reads them: CLEAR mask; VIEWPORT x y width height in device pixels;
// DRAW first count depthTest state (an index into the frame's states).
struct FrameCommand {
    int32_t kind, a, b, c, d;
};
static_assert(sizeof(FrameCommand) == 5 * sizeof(int32_t), "the page reads commands as five integers");
static_assert(sizeof(FrameVertex) == 7 * sizeof(float), "the page reads vertices as seven floats");
static_assert(sizeof(DrawState) == 126 * sizeof(float) && LIGHT_COUNT == 8,
              "the page reads a draw state as 126 floats, eight lights' worth");

struct Frame {
    std::vector<FrameCommand> commands;
    std::vector<FrameVertex> vertices;
    std::vector<DrawState> states;
};

}  // namespace webgl
