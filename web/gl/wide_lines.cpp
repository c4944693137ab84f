#include "wide_lines.h"

#include <cmath>

namespace webgl {

namespace {

FrameVertex between(const FrameVertex& a, const FrameVertex& b, double t) {
    auto mix = [t](float p, float q) { return float(p + (double(q) - p) * t); };
    const float *ca = a.normalOrColour, *cb = b.normalOrColour;  // colours: a wide line's vertices are lit
    return {mix(a.x, b.x), mix(a.y, b.y), mix(a.z, b.z), mix(a.w, b.w),
            {mix(ca[0], cb[0]), mix(ca[1], cb[1]), mix(ca[2], cb[2])}};
}

// Positive on the visible side of the near plane, z = -w in clip space.
double beyondNear(const FrameVertex& v) { return double(v.z) + v.w; }

// v moved by (dx, dy) in normalized device coordinates: in clip space the move scales with w.
FrameVertex shifted(FrameVertex v, double dx, double dy) {
    v.x = float(v.x + dx * v.w);
    v.y = float(v.y + dy * v.w);
    return v;
}

}  // namespace

void appendWideLine(const FrameVertex& from, const FrameVertex& to, const Viewport& viewport, double width,
                    std::vector<FrameVertex>& out) {
    const double da = beyondNear(from), db = beyondNear(to);
    if (da < 0 && db < 0) return;
    const FrameVertex a = da < 0 ? between(from, to, da / (da - db)) : from;
    const FrameVertex b = db < 0 ? between(from, to, da / (da - db)) : to;
    // The direction in window pixels decides the axis the line widens along.
    const double dx = (double(b.x) / b.w - double(a.x) / a.w) * viewport.width;
    const double dy = (double(b.y) / b.w - double(a.y) / a.w) * viewport.height;
    // Half the width, in normalized device coordinates, which span 2 across the viewport.
    const bool xMajor = std::fabs(dx) > std::fabs(dy);
    const double ox = xMajor ? 0 : width / viewport.width, oy = xMajor ? width / viewport.height : 0;
    const FrameVertex a0 = shifted(a, -ox, -oy), a1 = shifted(a, ox, oy);
    const FrameVertex b0 = shifted(b, -ox, -oy), b1 = shifted(b, ox, oy);
    out.insert(out.end(), {a0, b0, b1, a0, b1, a1});
}

}  // namespace webgl
