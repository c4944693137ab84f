#include "density_grid.h"
#include "isosurface.h"
#include "orbit_camera.h"
#include "shell_fixture.h"
#include "test_support.h"
#include "viewer.h"

#include "gl.h"

namespace {

using Shell = ShellTest;

void expectCameraView(const Calls& calls, std::size_t at, double aspect) {
    expectView(calls, at, aspect, camera.eye(), camera.getCenter(), camera.up());
}

// The surface part of a frame: everything between the grid translation and its reverse.
Calls surfaceOf(const Calls& frame) { return Calls(frame.begin() + 11, frame.end() - 4); }

TEST_F(Shell, DisplayDrawsOneWholeFrameAroundOneSweep) {
    const double before = animTime;
    const Calls frame = record(display);
    ASSERT_GT(frame.size(), 15u);
    expectCalls(frame, 0,
                {{"glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT}},
                 {"glMaterialfv", {GL_FRONT_AND_BACK, GL_DIFFUSE, 1, 1, 1, 1}},
                 {"glLineWidth", {3}},
                 {"glBegin", {GL_LINE_LOOP}},
                 {"glVertex3d", {2, 2, 0}}, {"glVertex3d", {2, -2, 0}},
                 {"glVertex3d", {-2, -2, 0}}, {"glVertex3d", {-2, 2, 0}},
                 {"glEnd", {}},
                 {"glPushMatrix", {}},
                 {"glTranslated", {-0.5, -0.5, -0.5}}});
    expectCalls(frame, frame.size() - 4,
                {{"glTranslated", {0.5, 0.5, 0.5}},
                 {"glutWireCube", {1.0}},
                 {"glPopMatrix", {}},
                 {"glutSwapBuffers", {}}});
    // In between exactly the surface of one sweep, which advanced the animation by one step.
    EXPECT_EQ(animTime, before + 0.03);
    animTime = before;
    const Calls sweep = record(drawIsosurface);
    EXPECT_GT(sweep.size(), 0u);
    EXPECT_EQ(firstDifference(surfaceOf(frame), sweep), -1);
}

TEST_F(Shell, TwoFramesWithAnUnchangedCameraDiffer) {
    const Calls first = record(display), second = record(display);
    EXPECT_NE(firstDifference(surfaceOf(first), surfaceOf(second)), -1);
}

TEST_F(Shell, SetupViewLoadsPerspectiveAndLookAtOnTheProjection) {
    Calls calls = record(setupView);
    ASSERT_EQ(calls.size(), 5u);
    expectView(calls, 0, 640.0 / 480.0, Vec3(0, 0, 10), Vec3(0, 0, 0), Vec3(0, 1, 0));

    // Over the pole: the up vector turns over and the eye follows the moved centre.
    camera.rotate(-90, -300);
    camera.pan(40, -70);
    calls = record(setupView);
    ASSERT_EQ(calls.size(), 5u);
    expectCameraView(calls, 0, 640.0 / 480.0);
    EXPECT_EQ(calls[3].arg[7], -1.0);
    EXPECT_NE(calls[3].arg[3], 0.0);
}

// A minimised window reports 0 pixels: GLU divides by the aspect, so it must stay finite and non-zero.
TEST_F(Shell, ReshapeStoresTheSizeAndReloadsViewportAndView) {
    camera.rotate(30, 20);
    const struct { int w, h; double aspect; } cases[] = {
        {333, 217, 333.0 / 217.0}, {0, 0, 1.0}, {640, 0, 640.0}, {0, 480, 1.0 / 480.0}, {640, 480, 640.0 / 480.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        const Calls calls = record([&] { reshape(c.w, c.h); });
        EXPECT_EQ(windowWidth, c.w);
        EXPECT_EQ(windowHeight, c.h);
        ASSERT_EQ(calls.size(), 7u);
        expectCalls(calls, 0, {{"glViewport", {0, 0, double(c.w), double(c.h)}}});
        expectCameraView(calls, 1, c.aspect);
        expectCalls(calls, 6, {{"glLoadIdentity", {}}});
        EXPECT_EQ(glstub::nonFiniteCount(), 0u);
    }
}

}  // namespace
