#pragma once
// GL 1.1's fixed-function pipeline for the calls the viewer makes: matrix stacks, glBegin/glEnd geometry, lights and
// materials, wide lines. Every call is in the terms of GL's definitions, and the result is a Frame: the triangles in
// object coordinates with the state that WebGL's vertex shader transforms and lights them with, per vertex as GL
// does; the wide lines, which WebGL cannot draw, transformed, lit and widened here. Nothing here knows of the
// browser, so it is tested natively as well.
#include "draw_state.h"
#include "frame.h"
#include "lighting.h"
#include "matrix.h"
#include "wide_lines.h"

#include <cstdint>
#include <vector>

namespace webgl {

// GL's enumerants for what the pipeline tells apart; the values are GL's own.
enum : uint32_t {
    PRIMITIVE_LINE_LOOP = 0x0002,
    PRIMITIVE_TRIANGLES = 0x0004,
    MATRIX_MODELVIEW = 0x1700,
    MATRIX_PROJECTION = 0x1701,
    CAP_LIGHTING = 0x0B50,
    CAP_DEPTH_TEST = 0x0B71,
    CAP_LIGHT0 = 0x4000,
    PARAM_AMBIENT = 0x1200,
    PARAM_DIFFUSE = 0x1201,
    PARAM_POSITION = 0x1203,
    FACE_FRONT_AND_BACK = 0x0408,
};

class Pipeline {
public:
    Pipeline();

    // Window pixels per CSS pixel of the page; the viewport and the line width are scaled by it, so that a sharper
    // screen gets more pixels but the same picture.
    void setPixelRatio(double ratio) { pixelRatio = ratio; }

    void enable(uint32_t cap, bool on);
    void viewport(int x, int y, int width, int height);
    void clear(uint32_t mask);
    void lineWidth(float width);
    void light(uint32_t light, uint32_t pname, const float* params);
    void material(uint32_t face, uint32_t pname, const float* params);

    void matrixMode(uint32_t mode);
    void loadIdentity();
    void pushMatrix();
    void popMatrix();
    void multiply(const Mat4& m);

    void begin(uint32_t mode);
    void normal(double x, double y, double z);
    const double* currentNormalValue() const { return currentNormal; }
    void vertex(double x, double y, double z);
    void end();

    // The frame built since the last presentFrame (or, just after it, the frame presented), for WebGL to draw. The
    // next command after presentFrame starts a new one; until then the last frame can be drawn again as it was.
    const Frame& frame() const { return current; }
    void presentFrame() { presented = true; }

private:
    static constexpr int MODELVIEW_DEPTH = 32, PROJECTION_DEPTH = 2;  // GL 1.1's least stack depths

    Mat4& top();
    void matrixChanged();
    void startFrameIfPresented();
    FrameVertex transformed(double x, double y, double z) const;
    void command(int32_t kind, int32_t a, int32_t b, int32_t c, int32_t d);
    int32_t stateIndex(bool passThrough);
    void drawFrom(std::size_t first, bool passThrough);

    Mat4 modelview[MODELVIEW_DEPTH], projection[PROJECTION_DEPTH];
    int modelviewTop = 0, projectionTop = 0;
    uint32_t mode = MATRIX_MODELVIEW;
    Mat4 normals;  // for the modelview on top of its stack
    LightingState lighting;
    bool lightingOn = false, depthTestOn = false;
    double currentNormal[3] = {0, 0, 1};
    Viewport view{0, 0, 0, 0};
    double pixelRatio = 1, width = 1;

    uint32_t primitive = 0;
    bool inside = false;  // between begin and end
    std::size_t primitiveStart = 0;    // where its triangles begin in the frame
    std::vector<FrameVertex> pending;  // a line loop's vertices, widened at its end
    Frame current;
    bool presented = false;
    // Where the frame's table has the GL state of the moment and the wide lines' pass-through state; -1 until a
    // draw needs it after the state changed or a frame started, so that a glEnd seldom builds a state.
    int32_t currentStateIndex = -1, passThroughIndex = -1;
};

}  // namespace webgl
