#include "pipeline.h"

namespace webgl {

Pipeline::Pipeline() {
    for (Mat4& m : modelview) m = identityMatrix();
    for (Mat4& m : projection) m = identityMatrix();
    normals = identityMatrix();
    lighting.lights[0].diffuse = {1, 1, 1, 1};  // GL_LIGHT0 alone starts white
    // Room for the largest frames the viewer draws, so that drawing allocates nothing once it runs.
    current.commands.reserve(64);
    current.vertices.reserve(1 << 17);
    current.states.reserve(16);
    pending.reserve(64);
}

void Pipeline::enable(uint32_t cap, bool on) {
    if (cap == CAP_DEPTH_TEST) depthTestOn = on;
    else if (cap == CAP_LIGHTING) lightingOn = on, currentStateIndex = -1;
    else if (cap >= CAP_LIGHT0 && cap < CAP_LIGHT0 + LIGHT_COUNT)
        lighting.lights[cap - CAP_LIGHT0].enabled = on, currentStateIndex = -1;
}

void Pipeline::viewport(int x, int y, int w, int h) {
    if (w < 0 || h < 0) return;  // GL_INVALID_VALUE
    view = {x * pixelRatio, y * pixelRatio, w * pixelRatio, h * pixelRatio};
    startFrameIfPresented();
    command(VIEWPORT, int32_t(view.x), int32_t(view.y), int32_t(view.width), int32_t(view.height));
}

void Pipeline::clear(uint32_t mask) {
    startFrameIfPresented();
    command(CLEAR, int32_t(mask), 0, 0, 0);
}

void Pipeline::lineWidth(float w) {
    if (w > 0) width = w;
}

void Pipeline::light(uint32_t which, uint32_t pname, const float* p) {
    if (which < CAP_LIGHT0 || which >= CAP_LIGHT0 + LIGHT_COUNT) return;
    currentStateIndex = -1;
    Light& l = lighting.lights[which - CAP_LIGHT0];
    if (pname == PARAM_POSITION) {
        // Taken into eye coordinates by the modelview matrix of the moment, as GL does.
        const Vec4 eye = modelview[modelviewTop] * Vec4(p[0], p[1], p[2], p[3]);
        const double w = eye.w != 0 ? eye.w : 1;  // a point divided through by its w; a direction as it is
        l.position[0] = eye.x / w, l.position[1] = eye.y / w, l.position[2] = eye.z / w, l.position[3] = eye.w != 0;
    } else if (pname == PARAM_AMBIENT) {
        l.ambient = {p[0], p[1], p[2], p[3]};
    } else if (pname == PARAM_DIFFUSE) {
        l.diffuse = {p[0], p[1], p[2], p[3]};
    }
}

// One-sided lighting uses the front material alone, so only the faces that include the front count.
void Pipeline::material(uint32_t face, uint32_t pname, const float* p) {
    if (face != FACE_FRONT_AND_BACK && face != 0x0404 /* GL_FRONT */) return;
    currentStateIndex = -1;
    if (pname == PARAM_AMBIENT) lighting.material.ambient = {p[0], p[1], p[2], p[3]};
    else if (pname == PARAM_DIFFUSE) lighting.material.diffuse = {p[0], p[1], p[2], p[3]};
}

void Pipeline::matrixMode(uint32_t m) {
    if (m == MATRIX_MODELVIEW || m == MATRIX_PROJECTION) mode = m;
}

Mat4& Pipeline::top() { return mode == MATRIX_MODELVIEW ? modelview[modelviewTop] : projection[projectionTop]; }

void Pipeline::matrixChanged() {
    if (mode == MATRIX_MODELVIEW) normals = normalMatrix(modelview[modelviewTop]);
    currentStateIndex = -1;
}

void Pipeline::loadIdentity() {
    top() = identityMatrix();
    matrixChanged();
}

// Past either end of the stack GL reports an error and changes nothing.
void Pipeline::pushMatrix() {
    int& depth = mode == MATRIX_MODELVIEW ? modelviewTop : projectionTop;
    Mat4* stack = mode == MATRIX_MODELVIEW ? modelview : projection;
    if (depth + 1 >= (mode == MATRIX_MODELVIEW ? MODELVIEW_DEPTH : PROJECTION_DEPTH)) return;
    stack[depth + 1] = stack[depth];
    ++depth;
}

void Pipeline::popMatrix() {
    int& depth = mode == MATRIX_MODELVIEW ? modelviewTop : projectionTop;
    if (depth == 0) return;
    --depth;
    matrixChanged();
}

void Pipeline::multiply(const Mat4& m) {
    top() = top() * m;
    matrixChanged();
}

void Pipeline::begin(uint32_t m) {
    if (inside) return;  // GL_INVALID_OPERATION
    startFrameIfPresented();
    inside = true;
    primitive = m;
    primitiveStart = current.vertices.size();
    pending.clear();
}

void Pipeline::normal(double x, double y, double z) {
    currentNormal[0] = x, currentNormal[1] = y, currentNormal[2] = z;
}

// A line loop's vertex, which is widened in window space: in clip coordinates, with its colour.
FrameVertex Pipeline::transformed(double x, double y, double z) const {
    const Vec4 eye = modelview[modelviewTop] * Vec4(x, y, z, 1);
    const Vec4 clip = projection[projectionTop] * eye;
    FrameVertex v{float(clip.x), float(clip.y), float(clip.z), float(clip.w), {1, 1, 1}};
    if (lightingOn) {
        const Vec4 n = normals * Vec4(currentNormal[0], currentNormal[1], currentNormal[2], 0);
        const double position[3] = {eye.x / eye.w, eye.y / eye.w, eye.z / eye.w}, normal[3] = {n.x, n.y, n.z};
        const Colour c = litColour(lighting, position, normal);
        v.normalOrColour[0] = c.r, v.normalOrColour[1] = c.g, v.normalOrColour[2] = c.b;
    }
    return v;
}

// Outside glBegin/glEnd a vertex has no effect; in a primitive the pipeline does not draw, it is dropped. A
// triangle's vertex goes to WebGL as it came, with the normal if lit and else GL's current colour, white.
void Pipeline::vertex(double x, double y, double z) {
    if (!inside) return;
    if (primitive == PRIMITIVE_TRIANGLES) {
        FrameVertex v{float(x), float(y), float(z), 1, {1, 1, 1}};
        if (lightingOn)
            for (int i = 0; i < 3; ++i) v.normalOrColour[i] = float(currentNormal[i]);
        current.vertices.push_back(v);
    } else if (primitive == PRIMITIVE_LINE_LOOP) {
        pending.push_back(transformed(x, y, z));
    }
}

void Pipeline::end() {
    if (!inside) return;
    inside = false;
    if (primitive == PRIMITIVE_TRIANGLES) {
        const std::size_t n = current.vertices.size() - primitiveStart;
        current.vertices.resize(current.vertices.size() - n % 3);  // a last, incomplete triangle is dropped
        drawFrom(primitiveStart, false);
    } else if (primitive == PRIMITIVE_LINE_LOOP && pending.size() >= 2) {
        const std::size_t n = pending.size();
        for (std::size_t i = 0; i < n; ++i)
            appendWideLine(pending[i], pending[(i + 1) % n], view, width * pixelRatio, current.vertices);
        drawFrom(primitiveStart, true);
    }
}

// The state in the frame's table that a draw uses: the last one again when the GL state came back to it.
int32_t Pipeline::stateIndex(bool passThrough) {
    int32_t& index = passThrough ? passThroughIndex : currentStateIndex;
    if (index >= 0) return index;
    const DrawState state = passThrough ? passThroughState()
                                        : drawState(modelview[modelviewTop], projection[projectionTop], normals,
                                                    lightingOn, lighting);
    if (current.states.empty() || !sameState(current.states.back(), state)) current.states.push_back(state);
    index = int32_t(current.states.size() - 1);
    return index;
}

// Everything since the last draw joins it when nothing between them changed how it is drawn.
void Pipeline::drawFrom(std::size_t first, bool passThrough) {
    const std::size_t count = current.vertices.size() - first;
    if (count == 0) return;
    const int32_t state = stateIndex(passThrough);
    FrameCommand* last = current.commands.empty() ? nullptr : &current.commands.back();
    if (last && last->kind == DRAW && last->c == int32_t(depthTestOn) && last->d == state &&
        std::size_t(last->a + last->b) == first)
        last->b += int32_t(count);
    else
        command(DRAW, int32_t(first), int32_t(count), int32_t(depthTestOn), state);
}

void Pipeline::startFrameIfPresented() {
    if (!presented) return;
    presented = false;
    current.commands.clear();
    current.vertices.clear();
    current.states.clear();
    currentStateIndex = passThroughIndex = -1;
}

void Pipeline::command(int32_t kind, int32_t a, int32_t b, int32_t c, int32_t d) {
    current.commands.push_back({kind, a, b, c, d});
}

}  // namespace webgl
