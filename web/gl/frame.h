#pragma once
// One frame as WebGL will draw it: every primitive already transformed, lit and turned into triangles, in a single
// buffer, and the few commands that say how to draw it. The viewer's frame, some 3,700 glBegin/glEnd blocks, comes
// out as one clear and one draw.
#include <cstdint>
#include <vector>

namespace webgl {

struct FrameVertex {
    float x, y, z, w;  // clip coordinates
    float r, g, b;     // the lit colour; the viewer never blends, so alpha would go unused
};

enum CommandKind : int32_t { CLEAR = 1, VIEWPORT = 2, DRAW = 3 };

// Five 32-bit integers, as the page reads them: CLEAR mask; VIEWPORT x y width height in device pixels;
// DRAW first count depthTest.
struct FrameCommand {
    int32_t kind, a, b, c, d;
};
static_assert(sizeof(FrameCommand) == 5 * sizeof(int32_t), "the page reads commands as five integers");
static_assert(sizeof(FrameVertex) == 7 * sizeof(float), "the page reads vertices as seven floats");

struct Frame {
    std::vector<FrameCommand> commands;
    std::vector<FrameVertex> vertices;
};

}  // namespace webgl
