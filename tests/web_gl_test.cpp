// The browser build's GL layer against what GL 1.1 and GLU define, worked out here from their formulas: a mistake
// in its arithmetic shows without a browser.
#include "draw_state.h"
#include "lighting.h"
#include "matrix.h"
#include "pipeline.h"
#include "wide_lines.h"
#include "wire_cube.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace webgl;

constexpr double PI = 3.14159265358979323846;

FrameVertex clipped(float x, float y, float z, float w) { return {x, y, z, w, {1, 1, 1}}; }

// What the vertex shader (library_page.js) makes of a vertex under a draw's state, by the same steps.
struct Shaded {
    Vec4 clip;
    double colour[3];
};

Shaded shaded(const DrawState& s, const FrameVertex& v) {
    const double position[4] = {v.x, v.y, v.z, v.w};
    const float* attribute = v.normalOrColour;
    double eye[4], n[3];
    Shaded out;
    for (int i = 0; i < 4; ++i) {
        eye[i] = 0;
        for (int j = 0; j < 4; ++j) eye[i] += double(s.modelview[4 * j + i]) * position[j];
    }
    for (int i = 0; i < 4; ++i) {
        out.clip[i] = 0;
        for (int j = 0; j < 4; ++j) out.clip[i] += double(s.projection[4 * j + i]) * eye[j];
    }
    for (int i = 0; i < 3; ++i) {
        n[i] = 0;
        for (int j = 0; j < 3; ++j) n[i] += double(s.normals[3 * j + i]) * attribute[j];
        out.colour[i] = s.sceneColour[i];
    }
    for (int l = 0; l < s.lightCount; ++l) {
        double toLight[3], length = 0, facing = 0;
        for (int i = 0; i < 3; ++i) toLight[i] = s.lightPosition[l][i] - eye[i] / eye[3] * s.lightPosition[l][3];
        for (double t : toLight) length += t * t;
        length = std::sqrt(length);
        if (length > 0) facing = std::max(0.0, (n[0] * toLight[0] + n[1] * toLight[1] + n[2] * toLight[2]) / length);
        for (int i = 0; i < 3; ++i) out.colour[i] += s.lightAmbient[l][i] + facing * s.lightDiffuse[l][i];
    }
    for (int i = 0; i < 3; ++i)
        out.colour[i] = s.lighting != 0 ? std::min(1.0, std::max(0.0, out.colour[i])) : attribute[i];
    return out;
}

void expectColour(const Shaded& s, const Colour& c, const char* what) {
    EXPECT_NEAR(s.colour[0], c.r, 1e-6) << what;
    EXPECT_NEAR(s.colour[1], c.g, 1e-6) << what;
    EXPECT_NEAR(s.colour[2], c.b, 1e-6) << what;
}

// The draw that a frame's vertex is in, and the state that draws it.
const DrawState& stateOf(const Frame& frame, std::size_t vertex) {
    for (const FrameCommand& c : frame.commands)
        if (c.kind == DRAW && vertex >= std::size_t(c.a) && vertex < std::size_t(c.a + c.b))
            return frame.states.at(c.d);
    ADD_FAILURE() << "vertex " << vertex << " is in no draw";
    return frame.states.at(0);
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
    expectNear(shaded(stateOf(gl.frame(), 0), gl.frame().vertices.at(0)).clip, clip.x, clip.y, clip.z, clip.w, 1e-5);
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

// A frame the viewer's way: the square and the cube as wide lines, already in clip space and lit; between them the
// surface's triangles, every block in one draw, with the state that lights them on the GPU as the wide lines were
// lit. What GL drops, dropped; the current normal as it was after the cube.
TEST(WebGl, AFrameDrawsEachPrimitiveWithTheStateOfItsTime) {
    Pipeline gl;
    gl.viewport(0, 0, 640, 480);
    for (uint32_t cap : {uint32_t(CAP_LIGHT0), CAP_LIGHT0 + 1, uint32_t(CAP_LIGHTING), uint32_t(CAP_DEPTH_TEST)})
        gl.enable(cap, true);
    const float positions[2][4] = {{-14, 13, 13, 1}, {15, 17, -20, 1}}, ambient[4] = {0.5f, 0.5f, 0.5f, 1};
    const float diffuse[2][4] = {{0.2f, 0.3f, 0.2f, 1}, {0.3f, 0.3f, 0.3f, 1}};
    gl.material(FACE_FRONT_AND_BACK, PARAM_AMBIENT, ambient);
    for (int l = 0; l < 2; ++l) {
        gl.light(CAP_LIGHT0 + l, PARAM_POSITION, positions[l]);
        gl.light(CAP_LIGHT0 + l, PARAM_DIFFUSE, diffuse[l]);
    }
    Mat4 projection;
    ASSERT_TRUE(perspectiveMatrix(30, 640.0 / 480, 1, 100, projection));
    projection = projection * translation(Vec3(0, 0, -10));
    gl.matrixMode(MATRIX_PROJECTION);
    gl.multiply(projection);
    gl.matrixMode(MATRIX_MODELVIEW);
    // What the GPU must make of it: GL's lighting, which the wide lines are lit with on the processor.
    LightingState reference;
    reference.material.ambient = {0.5f, 0.5f, 0.5f, 1};
    for (int l = 0; l < 2; ++l) {
        reference.lights[l] = Light{true, {positions[l][0], positions[l][1], positions[l][2], 1}, {0, 0, 0, 1},
                                    {diffuse[l][0], diffuse[l][1], diffuse[l][2], 1}};
    }

    gl.clear(0x4100);
    gl.lineWidth(3);
    gl.begin(PRIMITIVE_LINE_LOOP);
    for (double x : {1, 2, 3, 4}) gl.vertex(x, 0, 0);
    gl.end();
    gl.pushMatrix();
    gl.multiply(translation(Vec3(-0.5, -0.5, -0.5)));
    const double normal[3] = {0.3, -0.4, 0.8};
    gl.normal(normal[0], normal[1], normal[2]);
    for (int block = 0; block < 2; ++block) {
        gl.begin(PRIMITIVE_TRIANGLES);
        for (int i = 0; i < 3 + 4 * block; ++i) gl.vertex(i, 1 - i, 0.5 * i);  // a seventh vertex makes no triangle
        gl.end();
    }
    gl.multiply(translation(Vec3(0.5, 0.5, 0.5)));
    gl.normal(0.25, 0.5, 0.75);
    drawWireCube(gl, 1);
    gl.popMatrix();
    EXPECT_EQ(gl.currentNormalValue()[0], 0.25);
    EXPECT_EQ(gl.currentNormalValue()[2], 0.75);

    const Frame& frame = gl.frame();
    const int32_t loop = 4 * 6, triangles = 3 + 6, cube = 6 * 4 * 6;
    ASSERT_EQ(frame.commands.size(), 5u);
    EXPECT_EQ(frame.commands[0].kind, VIEWPORT);
    EXPECT_EQ(frame.commands[1].kind, CLEAR);
    const int32_t draws[3][2] = {{0, loop}, {loop, triangles}, {loop + triangles, cube}};
    for (int d = 0; d < 3; ++d) {
        const FrameCommand& draw = frame.commands[2 + d];
        EXPECT_EQ(draw.kind, DRAW);
        EXPECT_EQ(draw.a, draws[d][0]);
        EXPECT_EQ(draw.b, draws[d][1]);
        EXPECT_EQ(draw.c, 1);  // depth-tested
    }
    EXPECT_EQ(frame.vertices.size(), std::size_t(loop + triangles + cube));
    // The lines share one pass-through state: a vertex comes out as it went in, in its own colour.
    ASSERT_EQ(frame.states.size(), 2u);
    EXPECT_EQ(frame.commands[2].d, frame.commands[4].d);
    EXPECT_NE(frame.commands[2].d, frame.commands[3].d);
    const FrameVertex& corner = frame.vertices[loop + triangles];
    const Shaded line = shaded(stateOf(frame, loop + triangles), corner);
    expectNear(line.clip, corner.x, corner.y, corner.z, corner.w, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(line.colour[i], corner.normalOrColour[i]);
    // A triangle's vertex, lit by the shader as GL lights it, where the translation took it.
    for (int i = 0; i < 3; ++i) {
        const Shaded v = shaded(stateOf(frame, loop + 3 + i), frame.vertices[loop + 3 + i]);
        const double eye[3] = {i - 0.5, 0.5 - i, 0.5 * i - 0.5};
        const Vec4 clip = projection * Vec4(eye[0], eye[1], eye[2], 1);
        expectNear(v.clip, clip.x, clip.y, clip.z, clip.w, 1e-5);
        expectColour(v, litColour(reference, eye, normal), "a lit triangle");
    }

    // Presented, the frame stays until the next one starts, for a context that has to draw it again; the next one
    // starts its own table of states, even with nothing changed.
    gl.presentFrame();
    EXPECT_EQ(gl.frame().vertices.size(), std::size_t(loop + triangles + cube));
    const DrawState lit = frame.states[frame.commands[3].d];
    gl.clear(0x4100);
    EXPECT_EQ(gl.frame().vertices.size(), 0u);
    EXPECT_EQ(gl.frame().commands.size(), 1u);
    const auto triangle = [&gl] {
        gl.begin(PRIMITIVE_TRIANGLES);
        for (int i = 0; i < 3; ++i) gl.vertex(i, 0, 0);
        gl.end();
    };
    gl.pushMatrix();
    gl.multiply(translation(Vec3(-0.5, -0.5, -0.5)));
    triangle();
    drawWireCube(gl, 1);
    ASSERT_EQ(gl.frame().states.size(), 2u);
    ASSERT_EQ(gl.frame().commands.size(), 3u);
    EXPECT_TRUE(sameState(gl.frame().states.at(gl.frame().commands[1].d), lit));
    EXPECT_TRUE(sameState(gl.frame().states.at(gl.frame().commands[2].d), passThroughState()));
    gl.presentFrame();
    gl.clear(0x4100);
    triangle();
    ASSERT_EQ(gl.frame().states.size(), 1u);
    EXPECT_EQ(gl.frame().commands.at(1).d, 0);
}

// Each change between draws reaches the shader in the next draw's state: a light's colour or place, the projection
// of a new window size, a modelview that turns the normals, lighting switched off.
TEST(WebGl, ADrawAfterAChangeOfLightMatrixOrLightingCarriesTheNewState) {
    Pipeline gl;
    gl.enable(CAP_LIGHT0 + 1, true);
    gl.enable(CAP_LIGHTING, true);
    LightingState reference;
    reference.lights[1].enabled = true;
    const double normal[3] = {0.6, 0.0, 0.8};
    gl.normal(normal[0], normal[1], normal[2]);
    const auto triangle = [&gl] {
        gl.begin(PRIMITIVE_TRIANGLES);
        for (int i = 0; i < 3; ++i) gl.vertex(0.5, 0.25, i);
        gl.end();
    };
    // Checks the last triangle under the state of its draw; eyeVertex and eyeNormal are where GL takes the first
    // vertex and the normal, clip where it puts it on screen.
    const auto expectLast = [&gl, &reference](const double eyeVertex[3], const double eyeNormal[3], const Vec4& clip,
                                              const char* what) {
        const Frame& frame = gl.frame();
        ASSERT_EQ(frame.commands.back().kind, DRAW) << what;
        const std::size_t first = frame.commands.back().a;
        const Shaded v = shaded(stateOf(frame, first), frame.vertices.at(first));
        expectNear(v.clip, clip.x, clip.y, clip.z, clip.w, 1e-5);
        expectColour(v, litColour(reference, eyeVertex, eyeNormal), what);
    };

    const float diffuse[4] = {0.9f, 0.5f, 0.1f, 1}, position[4] = {2, 4, 6, 2}, ambient[4] = {0.1f, 0.2f, 0.3f, 1};
    gl.light(CAP_LIGHT0 + 1, PARAM_DIFFUSE, diffuse);
    gl.light(CAP_LIGHT0 + 1, PARAM_AMBIENT, ambient);
    gl.multiply(translation(Vec3(0, 0, -3)));
    gl.light(CAP_LIGHT0 + 1, PARAM_POSITION, position);  // (1, 2, 0) in eye space
    reference.lights[1].diffuse = {0.9f, 0.5f, 0.1f, 1};
    reference.lights[1].ambient = {0.1f, 0.2f, 0.3f, 1};
    reference.lights[1].position[0] = 1, reference.lights[1].position[1] = 2, reference.lights[1].position[2] = 0;
    reference.lights[1].position[3] = 1;
    triangle();
    const double eyeVertex[3] = {0.5, 0.25, -3};
    expectLast(eyeVertex, normal, Vec4(0.5, 0.25, -3, 1), "a light's colours and place");

    const float dimmer[4] = {0.2f, 0.2f, 0.7f, 1};
    gl.light(CAP_LIGHT0 + 1, PARAM_DIFFUSE, dimmer);
    reference.lights[1].diffuse = {0.2f, 0.2f, 0.7f, 1};
    triangle();
    expectLast(eyeVertex, normal, Vec4(0.5, 0.25, -3, 1), "a light's new colour");

    // A window of another size: a new viewport and projection.
    gl.viewport(0, 0, 300, 600);
    Mat4 projection;
    ASSERT_TRUE(perspectiveMatrix(30, 0.5, 1, 100, projection));
    gl.matrixMode(MATRIX_PROJECTION);
    gl.loadIdentity();
    gl.multiply(projection);
    gl.matrixMode(MATRIX_MODELVIEW);
    triangle();
    expectLast(eyeVertex, normal, projection * Vec4(0.5, 0.25, -3, 1), "the projection of a resize");

    // A quarter turn about z, after the translation: the normal turns with the vertex.
    gl.multiply(rotation(Vec3(0, 0, 1), PI / 2));
    triangle();
    const double turnedVertex[3] = {-0.25, 0.5, -3}, turnedNormal[3] = {0, 0.6, 0.8};
    expectLast(turnedVertex, turnedNormal, projection * Vec4(-0.25, 0.5, -3, 1), "a turned modelview");

    gl.enable(CAP_LIGHTING, false);
    triangle();
    const Frame& frame = gl.frame();
    const std::size_t first = frame.commands.back().a;
    const Shaded unlit = shaded(stateOf(frame, first), frame.vertices.at(first));
    for (double c : unlit.colour) EXPECT_EQ(c, 1.0);  // GL's current colour, white
    EXPECT_EQ(frame.states.size(), 5u);
}

}  // namespace
