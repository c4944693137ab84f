// The browser build's GL layer against what GL 1.1 and GLU define, worked out here from their formulas: a mistake
// in its arithmetic shows without a browser.
#include "draw_state.h"
#include "lighting.h"
#include "matrix.h"
#include "pipeline.h"
#include "wide_lines.h"
#include "wire_cube.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

using namespace webgl;

constexpr double PI = 3.14159265358979323846;

FrameVertex clipped(float x, float y, float z, float w) { return {x, y, z, w, {1, 1, 1}}; }

Mat4 fromColumns(const float* m, int size) {
    Mat4 r = identityMatrix();
    for (int c = 0; c < size; ++c)
        for (int i = 0; i < size; ++i) r(i, c) = m[size * c + i];
    return r;
}

// What the vertex shader (library_page.js) makes of the first vertex of the frame's last draw: its clip coordinates,
// and its colour, which is GL's lighting with the material folded into the lights, as the state carries it.
std::pair<Vec4, Colour> shadedLast(const Frame& frame) {
    const FrameCommand& draw = frame.commands.back();
    const DrawState& s = frame.states.at(draw.d);
    const FrameVertex& v = frame.vertices.at(draw.a);
    const Vec4 eye = fromColumns(s.modelview, 4) * Vec4(v.x, v.y, v.z, v.w);
    const float* a = v.normalOrColour;
    if (s.lighting == 0) return {fromColumns(s.projection, 4) * eye, Colour{a[0], a[1], a[2], 1}};
    const Vec4 n = fromColumns(s.normals, 3) * Vec4(a[0], a[1], a[2], 0);
    LightingState folded;
    folded.material = {{s.sceneColour[0], s.sceneColour[1], s.sceneColour[2], 1}, {1, 1, 1, 1}, {1, 1, 1, 1}};
    folded.globalAmbient = {0, 0, 0, 1};
    for (int l = 0; l < s.lightCount; ++l) {
        const float *p = s.lightPosition[l], *ambient = s.lightAmbient[l], *diffuse = s.lightDiffuse[l];
        folded.lights[l] = {true, {p[0], p[1], p[2], p[3]}, {ambient[0], ambient[1], ambient[2], 1},
                            {diffuse[0], diffuse[1], diffuse[2], 1}};
    }
    const double position[3] = {eye.x / eye.w, eye.y / eye.w, eye.z / eye.w}, normal[3] = {n.x, n.y, n.z};
    return {fromColumns(s.projection, 4) * eye, litColour(folded, position, normal)};
}

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
    expectNear(shadedLast(gl.frame()).first, clip.x, clip.y, clip.z, clip.w, 1e-5);
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

// A frame the viewer's way: the square and the cube as wide lines, in clip space under one pass-through state; the
// surface's blocks between them in one draw; what GL drops, dropped; the current normal as it was after the cube.
// Presented, the frame stays for a context that has to draw it again; the next one starts its own table of states.
TEST(WebGl, AFrameDrawsEachRunOfPrimitivesUnderTheStateOfItsTime) {
    Pipeline gl;
    gl.viewport(0, 0, 640, 480);
    gl.enable(CAP_DEPTH_TEST, true);
    const auto triangles = [&gl](int count) {
        gl.begin(PRIMITIVE_TRIANGLES);
        for (int i = 0; i < count; ++i) gl.vertex(i, i, 0);
        gl.end();
    };
    gl.clear(0x4100);
    gl.begin(PRIMITIVE_LINE_LOOP);
    for (double x : {1, 2, 3, 4}) gl.vertex(x, 0, 0);
    gl.end();
    gl.pushMatrix();
    gl.multiply(translation(Vec3(-0.5, -0.5, -0.5)));
    triangles(3);
    triangles(7);  // a seventh vertex makes no triangle
    gl.normal(0.25, 0.5, 0.75);
    drawWireCube(gl, 1);
    EXPECT_EQ(gl.currentNormalValue()[2], 0.75);
    const Frame& frame = gl.frame();
    const int32_t loop = 4 * 6, surface = 3 + 6, cube = 6 * 4 * 6;
    std::vector<std::array<int32_t, 4>> commands;
    for (const FrameCommand& c : frame.commands) commands.push_back({c.kind, c.a, c.b, c.c});
    const std::vector<std::array<int32_t, 4>> want = {{VIEWPORT, 0, 0, 640}, {CLEAR, 0x4100, 0, 0},
        {DRAW, 0, loop, 1}, {DRAW, loop, surface, 1}, {DRAW, loop + surface, cube, 1}};  // depth-tested
    ASSERT_EQ(commands, want);
    ASSERT_EQ(frame.states.size(), 2u);
    EXPECT_EQ(frame.commands[2].d, frame.commands[4].d);
    EXPECT_TRUE(sameState(frame.states.at(frame.commands[2].d), passThroughState()));
    const DrawState lit = frame.states.at(frame.commands[3].d);

    gl.presentFrame();
    EXPECT_EQ(gl.frame().vertices.size(), std::size_t(loop + surface + cube));
    gl.clear(0x4100);
    triangles(3);
    drawWireCube(gl, 1);
    ASSERT_EQ(frame.states.size(), 2u);
    EXPECT_TRUE(sameState(frame.states.at(frame.commands.at(1).d), lit));
    EXPECT_TRUE(sameState(frame.states.at(frame.commands.at(2).d), passThroughState()));
}

// Each change between draws reaches the shader in the next draw's state, which must light as GL: a light's colours
// and place, the projection of a new window size, a modelview that turns the normals, lighting switched off.
TEST(WebGl, ADrawAfterAChangeOfLightMatrixOrLightingCarriesTheNewState) {
    Pipeline gl;
    gl.enable(CAP_LIGHT0 + 1, true);
    gl.enable(CAP_LIGHTING, true);
    gl.normal(0.6, 0, 0.8);
    LightingState reference;
    Light& light = reference.lights[1];
    Mat4 projection = identityMatrix(), modelview = translation(Vec3(0, 0, -3));
    double normal[3] = {0.6, 0, 0.8};  // in eye space
    bool lit = true;
    const auto expectDrawnAsGl = [&](const char* what) {
        gl.begin(PRIMITIVE_TRIANGLES);
        for (int i = 0; i < 3; ++i) gl.vertex(0.5, 0.25, i);
        gl.end();
        const Vec4 eye = modelview * Vec4(0.5, 0.25, 0, 1), clip = projection * eye;
        const double position[3] = {eye.x, eye.y, eye.z};
        const Colour want = lit ? litColour(reference, position, normal) : Colour{1, 1, 1, 1};  // else GL's white
        const std::pair<Vec4, Colour> shaded = shadedLast(gl.frame());
        expectNear(shaded.first, clip.x, clip.y, clip.z, clip.w, 1e-5);
        EXPECT_NEAR(shaded.second.r, want.r, 1e-6) << what;
        EXPECT_NEAR(shaded.second.g, want.g, 1e-6) << what;
        EXPECT_NEAR(shaded.second.b, want.b, 1e-6) << what;
    };
    const float diffuse[4] = {0.9f, 0.5f, 0.1f, 1}, ambient[4] = {0.1f, 0.2f, 0.3f, 1}, position[4] = {2, 4, 6, 2};
    gl.light(CAP_LIGHT0 + 1, PARAM_DIFFUSE, diffuse);
    gl.light(CAP_LIGHT0 + 1, PARAM_AMBIENT, ambient);
    gl.multiply(modelview);
    gl.light(CAP_LIGHT0 + 1, PARAM_POSITION, position);
    light = {true, {1, 2, 0, 1}, {0.1f, 0.2f, 0.3f, 1}, {0.9f, 0.5f, 0.1f, 1}};  // its place in eye space
    expectDrawnAsGl("a light's colours and place");
    const float dimmer[4] = {0.2f, 0.2f, 0.7f, 1};
    gl.light(CAP_LIGHT0 + 1, PARAM_DIFFUSE, dimmer);
    light.diffuse = {0.2f, 0.2f, 0.7f, 1};
    expectDrawnAsGl("a light's new colour");

    gl.viewport(0, 0, 300, 600);
    ASSERT_TRUE(perspectiveMatrix(30, 0.5, 1, 100, projection));
    gl.matrixMode(MATRIX_PROJECTION);
    gl.multiply(projection);
    gl.matrixMode(MATRIX_MODELVIEW);
    expectDrawnAsGl("the projection of a resize");
    modelview = modelview * rotation(Vec3(0, 0, 1), PI / 2);
    gl.multiply(rotation(Vec3(0, 0, 1), PI / 2));
    normal[0] = 0, normal[1] = 0.6;
    expectDrawnAsGl("a quarter turn of the modelview");
    gl.enable(CAP_LIGHTING, false);
    lit = false;
    expectDrawnAsGl("lighting off");
}

}  // namespace
