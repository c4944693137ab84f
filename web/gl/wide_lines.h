#pragma once
// Lines as GL draws lines wider than a pixel (GL 1.1, 3.4.2): each segment a parallelogram as wide as the line along
// the minor axis of the window, x for a line that is more vertical than horizontal, y otherwise. WebGL cannot draw
// them (browsers give a line width range of 1 to 1), so they become two triangles, placed in clip space so that the
// rasterizer's own clipping, depth and colour interpolation treat them as the triangles around them.
#include "frame.h"

namespace webgl {

struct Viewport {
    double x, y, width, height;  // device pixels
};

// Appends the triangles of the segment from a to b, width device pixels wide, to out. The segment is first clipped
// to the near plane, since a part of it behind the eye has no place on the screen to widen it in; a segment wholly
// on the eye's side of the near plane appends nothing.
void appendWideLine(const FrameVertex& a, const FrameVertex& b, const Viewport& viewport, double width,
                    std::vector<FrameVertex>& out);

}  // namespace webgl
