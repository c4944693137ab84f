// The browser build's GL layer against what GL 1.1 and GLU define, worked out here from their formulas: a mistake
// in its arithmetic shows without a browser.
#include "lighting.h"
#include "matrix.h"
#include "pipeline.h"
#include "wide_lines.h"
#include "wire_cube.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace webgl;

constexpr double PI = 3.14159265358979323846;

FrameVertex clipped(float x, float y, float z, float w) { return {x, y, z, w, 1, 1, 1}; }

void expectNear(const Vec4& p, double x, double y, double z, double w, double tolerance) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
    EXPECT_NEAR(p.z, z, tolerance);
    EXPECT_NEAR(p.w, w, tolerance);
}

// gluPerspective: f = cot(fovy / 2); (f / aspect, f, (far + near) / (near - far), -1 below it, 2 far near / (near -
// far) in the last column), multiplied onto the current matrix, which is the projection matrix a frame starts from.
TEST(WebGl, PerspectiveAndLookAtAreGlusMatricesMultipliedOnInOrder) {
    Mat4 p;
    ASSERT_TRUE(perspectiveMatrix(30, 640.0 / 480.0, 1, 100, p));
    const double f = 1 / std::tan(15 * PI / 180);
    const double want[4][4] = {{f * 480 / 640, 0, 0, 0}, {0, f, 0, 0}, {0, 0, -101.0 / 99, -200.0 / 99}, {0, 0, -1, 0}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(p(i, j), want[i][j], 1e-14) << "row " << i << ", column " << j;
    EXPECT_FALSE(perspectiveMatrix(30, 0, 1, 100, p));  // GLU multiplies nothing onto the matrix then

    // gluLookAt from (0, 0, 10) towards the origin: no turn at all, then the eye moved to the origin.
    const Mat4 view = lookAtRotation(0, 0, 10, 0, 0, 0, 0, 1, 0) * translation(Vec3(0, 0, -10));
    expectNear(view * Vec4(1, 2, 3, 1), 1, 2, -7, 1, 0);
    // From elsewhere: the eye goes to the origin, the centre onto -z at its distance, up into the upper y-z half.
    const Mat4 turned = lookAtRotation(3, -4, 5, 1, 1, 1, 0, 1, 0) * translation(Vec3(-3, 4, -5));
    expectNear(turned * Vec4(3, -4, 5, 1), 0, 0, 0, 1, 1e-6);
    expectNear(turned * Vec4(1, 1, 1, 1), 0, 0, -std::sqrt(4.0 + 25 + 16), 1, 1e-5);
    const Vec4 up = turned * Vec4(0, 1, 0, 0);
    EXPECT_NEAR(up.x, 0, 1e-6);
    EXPECT_GT(up.y, 0);

    // The pipeline multiplies each onto the right of the current matrix, as glMultMatrix does.
    Pipeline gl;
    gl.matrixMode(MATRIX_PROJECTION);
    gl.multiply(p);
    gl.multiply(view);
    gl.matrixMode(MATRIX_MODELVIEW);
    gl.multiply(translation(Vec3(-0.5, -0.5, -0.5)));
    gl.begin(PRIMITIVE_TRIANGLES);
    for (int i = 0; i < 3; ++i) gl.vertex(1, 2, 3);
    gl.end();
    const Vec4 clip = p * (view * Vec4(0.5, 1.5, 2.5, 1));
    const FrameVertex& v = gl.frame().vertices.at(0);
    expectNear(Vec4(v.x, v.y, v.z, v.w), clip.x, clip.y, clip.z, clip.w, 1e-5);
}

// GL 1.1's lighting with the viewer's own state: material ambient 0.5 under the global ambient 0.2, three positional
// lights with their diffuse colours, white diffuse material. Each light adds max(0, n . L) times its colour, L the
// unit vector from the vertex to the light, n as given.
TEST(WebGl, LightsAVertexAsGlsFormulaDoesWithTheViewersLights) {
    LightingState state;
    state.material.ambient = {0.5f, 0.5f, 0.5f, 1};
    state.material.diffuse = {1, 1, 1, 1};
    const float positions[3][3] = {{-14, 13, 13}, {15, 17, -20}, {-12, -8, 12}};
    const Colour diffuse[3] = {{0.2f, 0.3f, 0.2f, 1}, {0.3f, 0.3f, 0.3f, 1}, {0.3f, 0.3f, 0.2f, 1}};
    for (int l = 0; l < 3; ++l) {
        state.lights[l].enabled = true;
        for (int i = 0; i < 3; ++i) state.lights[l].position[i] = positions[l][i];
        state.lights[l].position[3] = 1;
        state.lights[l].diffuse = diffuse[l];
    }
    const double origin[3] = {0, 0, 0}, facingZ[3] = {0, 0, 1};
    // Light 1 is behind the surface: it adds nothing.
    const double light0 = 13 / std::sqrt(534.0), light2 = 12 / std::sqrt(352.0);
    Colour c = litColour(state, origin, facingZ);
    EXPECT_NEAR(c.r, 0.1 + light0 * 0.2f + light2 * 0.3f, 1e-6);
    EXPECT_NEAR(c.g, 0.1 + light0 * 0.3f + light2 * 0.3f, 1e-6);
    EXPECT_NEAR(c.b, 0.1 + light0 * 0.2f + light2 * 0.2f, 1e-6);
    EXPECT_EQ(c.a, 1.0f);

    // Not renormalised: half the normal, half the diffuse light. The vertex's own place changes L.
    const double halfNormal[3] = {0, 0, 0.5}, elsewhere[3] = {1, -2, 3};
    c = litColour(state, origin, halfNormal);
    EXPECT_NEAR(c.r, 0.1 + 0.5 * (light0 * 0.2f + light2 * 0.3f), 1e-6);
    c = litColour(state, elsewhere, facingZ);
    const double l0 = 10 / std::sqrt(15.0 * 15 + 15 * 15 + 10 * 10), l2 = 9 / std::sqrt(13.0 * 13 + 6 * 6 + 9 * 9);
    EXPECT_NEAR(c.g, 0.1 + l0 * 0.3f + l2 * 0.3f, 1e-6);
    // Facing away from every light: the ambient term alone. Far too bright: clamped to 1.
    const double away[3] = {1, -1, 0.2};
    EXPECT_NEAR(litColour(state, origin, away).r, 0.1f, 1e-7);
    const double tooLong[3] = {0, 0, 100};
    EXPECT_EQ(litColour(state, origin, tooLong).g, 1.0f);
}

// Wider than a pixel, a line spreads across its minor axis: up and down for a flat one, sideways for a steep one.
TEST(WebGl, WideLinesSpreadAcrossTheirMinorAxisAndStopAtTheNearPlane) {
    const Viewport view{0, 0, 200, 100};
    std::vector<FrameVertex> out;
    appendWideLine(clipped(-0.5f, 0, 0, 1), clipped(0.5f, 0.1f, 0, 1), view, 3, out);
    ASSERT_EQ(out.size(), 6u);
    for (const FrameVertex& v : out) EXPECT_NEAR(std::fabs(v.y - (v.x < 0 ? 0.0 : 0.1)), 0.03, 1e-6);  // 1.5 px
    out.clear();
    // At w = 2 the offsets in clip space are twice as large.
    appendWideLine(clipped(0, -0.5f, 0, 2), clipped(0.1f, 0.5f, 0, 2), view, 3, out);
    for (const FrameVertex& v : out) EXPECT_NEAR(std::fabs(v.x - (v.y < 0 ? 0.0 : 0.1)), 2 * 0.015, 1e-6);
    // From in front of the near plane (z > -w) to behind it: only the part in front is widened.
    out.clear();
    appendWideLine(clipped(0, 0, 0, 1), clipped(0, 0, -3, 1), view, 3, out);
    for (const FrameVertex& v : out) EXPECT_GE(v.z + v.w, -1e-6);
    out.clear();
    appendWideLine(clipped(0, 0, -2, 1), clipped(1, 0, -3, 1), view, 3, out);
    EXPECT_TRUE(out.empty());
}

// A frame the viewer's way: its primitives, lines and triangles alike, in one draw after the clear; what GL drops,
// dropped; the wire cube's six loops with the current normal as it was.
TEST(WebGl, AFrameIsOneClearAndOneDrawAndKeepsGlsState) {
    Pipeline gl;
    gl.viewport(0, 0, 640, 480);
    gl.enable(CAP_DEPTH_TEST, true);
    gl.clear(0x4100);
    gl.begin(PRIMITIVE_LINE_LOOP);
    for (double x : {1, 2, 3, 4}) gl.vertex(x, 0, 0);
    gl.end();
    gl.begin(PRIMITIVE_TRIANGLES);
    for (int i = 0; i < 7; ++i) gl.vertex(i, i, 0);  // a seventh vertex makes no triangle
    gl.end();
    gl.normal(0.25, 0.5, 0.75);
    drawWireCube(gl, 1);
    const double* n = gl.currentNormalValue();
    EXPECT_EQ(n[0], 0.25);
    EXPECT_EQ(n[2], 0.75);
    const Frame& frame = gl.frame();
    const std::size_t vertices = 4 * 6 + 6 + 6 * 4 * 6;  // the loop's segments, two triangles, the cube's segments
    ASSERT_EQ(frame.commands.size(), 3u);
    EXPECT_EQ(frame.commands[0].kind, VIEWPORT);
    EXPECT_EQ(frame.commands[1].kind, CLEAR);
    EXPECT_EQ(frame.commands[2].kind, DRAW);
    EXPECT_EQ(frame.commands[2].b, int32_t(vertices));
    EXPECT_EQ(frame.commands[2].c, 1);  // depth-tested
    EXPECT_EQ(frame.vertices.size(), vertices);

    // Presented, the frame stays until the next one starts, for a context that has to draw it again.
    gl.presentFrame();
    EXPECT_EQ(gl.frame().vertices.size(), vertices);
    gl.clear(0x4100);
    EXPECT_EQ(gl.frame().vertices.size(), 0u);
    EXPECT_EQ(gl.frame().commands.size(), 1u);
}

}  // namespace
