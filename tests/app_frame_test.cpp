#include "density_grid.h"
#include "glstub.h"
#include "isosurface.h"
#include "orbit_camera.h"
#include "viewer.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string_view>
#include <vector>

namespace {

using glstub::Call;

void expectCall(const Call& c, std::string_view fn, std::vector<double> args) {
    SCOPED_TRACE(fn);
    EXPECT_EQ(c.fn, fn);
    ASSERT_EQ(c.argc, int(args.size()));
    for (int a = 0; a < c.argc; ++a) EXPECT_EQ(c.arg[a], args[a]);
}

void expectView(const std::vector<Call>& calls, std::size_t at, double aspect) {
    ASSERT_GE(calls.size(), at + 5);
    const Vec3 e = camera.eye(), c = camera.getCenter(), u = camera.up();
    expectCall(calls[at], "glMatrixMode", {GL_PROJECTION});
    expectCall(calls[at + 1], "glLoadIdentity", {});
    expectCall(calls[at + 2], "gluPerspective", {30, aspect, 1, 100});
    expectCall(calls[at + 3], "gluLookAt", {e.x, e.y, e.z, c.x, c.y, c.z, u.x, u.y, u.z});
    expectCall(calls[at + 4], "glMatrixMode", {GL_MODELVIEW});
}

class Shell : public testing::Test {
protected:
    static void SetUpTestSuite() { fillDensityGrid(); }
    void SetUp() override {
        glstub::reset();
        camera.reset(Vec3(0, 0, 0));
        windowWidth = 640;
        windowHeight = 480;
    }
};

// The surface part of a frame: everything between the grid translation and its reverse.
std::vector<Call> surfaceOf(const std::vector<Call>& frame) {
    return std::vector<Call>(frame.begin() + 11, frame.end() - 4);
}

TEST_F(Shell, DisplayDrawsOneWholeFrame) {
    const double before = animTime;
    display();
    const auto& calls = glstub::calls();
    ASSERT_GT(calls.size(), 16u);
    expectCall(calls[0], "glClear", {GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT});
    expectCall(calls[1], "glMaterialfv", {GL_FRONT_AND_BACK, GL_DIFFUSE, 1, 1, 1, 1});
    expectCall(calls[2], "glLineWidth", {3});
    expectCall(calls[3], "glBegin", {GL_LINE_LOOP});
    expectCall(calls[4], "glVertex3d", {2, 2, 0});
    expectCall(calls[5], "glVertex3d", {2, -2, 0});
    expectCall(calls[6], "glVertex3d", {-2, -2, 0});
    expectCall(calls[7], "glVertex3d", {-2, 2, 0});
    expectCall(calls[8], "glEnd", {});
    expectCall(calls[9], "glPushMatrix", {});
    expectCall(calls[10], "glTranslated", {-0.5, -0.5, -0.5});
    const std::size_t n = calls.size();
    expectCall(calls[n - 4], "glTranslated", {0.5, 0.5, 0.5});
    expectCall(calls[n - 3], "glutWireCube", {1.0});
    expectCall(calls[n - 2], "glPopMatrix", {});
    expectCall(calls[n - 1], "glutSwapBuffers", {});

    // In between only the sweep's lit triangles, in closed blocks.
    int open = 0, vertices = 0;
    for (std::size_t i = 11; i < n - 4; ++i) {
        const std::string_view fn = calls[i].fn;
        if (fn == "glBegin") ++open;
        else if (fn == "glEnd") --open;
        else if (fn == "glVertex3dv") ++vertices;
        else EXPECT_EQ(fn, "glNormal3dv") << "at call " << i;
        ASSERT_GE(open, 0);
        ASSERT_LE(open, 1);
    }
    EXPECT_EQ(open, 0);
    EXPECT_GT(vertices, 0);
    EXPECT_EQ(animTime, before + 0.03);
}

TEST_F(Shell, TwoFramesWithAnUnchangedCameraDiffer) {
    display();
    const std::vector<Call> first = glstub::calls();
    glstub::reset();
    display();
    const std::vector<Call> second = glstub::calls();

    const std::vector<Call> a = surfaceOf(first), b = surfaceOf(second);
    bool differ = a.size() != b.size();
    for (std::size_t i = 0; !differ && i < a.size(); ++i) differ = a[i].fn != b[i].fn || a[i].arg != b[i].arg;
    EXPECT_TRUE(differ);
}

TEST_F(Shell, SetupViewLoadsPerspectiveAndLookAtOnTheProjection) {
    setupView();
    const auto& calls = glstub::calls();
    ASSERT_EQ(calls.size(), 5u);
    expectView(calls, 0, 640.0 / 480.0);
    expectCall(calls[3], "gluLookAt", {0, 0, 10, 0, 0, 0, 0, 1, 0});

    // Over the pole: the up vector turns over and the eye follows the moved centre.
    camera.rotate(-90, -300);
    camera.pan(40, -70);
    glstub::reset();
    setupView();
    ASSERT_EQ(glstub::calls().size(), 5u);
    expectView(glstub::calls(), 0, 640.0 / 480.0);
    EXPECT_EQ(glstub::calls()[3].arg[7], -1.0);
    EXPECT_NE(glstub::calls()[3].arg[3], 0.0);
}

TEST_F(Shell, ReshapeStoresTheSizeAndReloadsViewportAndView) {
    camera.rotate(30, 20);
    reshape(333, 217);
    EXPECT_EQ(windowWidth, 333);
    EXPECT_EQ(windowHeight, 217);
    const auto& calls = glstub::calls();
    ASSERT_EQ(calls.size(), 7u);
    expectCall(calls[0], "glViewport", {0, 0, 333, 217});
    expectView(calls, 1, 333.0 / 217.0);
    expectCall(calls[6], "glLoadIdentity", {});
}

// A minimised window: GLU divides by the aspect, so it must stay finite and non-zero.
TEST_F(Shell, ReshapeToZeroSizeKeepsThePerspectiveFinite) {
    struct Case {
        int w, h;
        double aspect;
    };
    for (const Case& c : {Case{0, 0, 1.0}, Case{640, 0, 640.0}, Case{0, 480, 1.0 / 480.0}}) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        glstub::reset();
        reshape(c.w, c.h);
        EXPECT_EQ(windowWidth, c.w);
        EXPECT_EQ(windowHeight, c.h);
        expectCall(glstub::calls()[0], "glViewport", {0, 0, double(c.w), double(c.h)});
        const auto perspective = glstub::named("gluPerspective");
        ASSERT_EQ(perspective.size(), 1u);
        EXPECT_EQ(perspective[0].arg[1], c.aspect);
        EXPECT_EQ(glstub::nonFiniteCount(), 0u);
    }
    glstub::reset();
    reshape(640, 480);
    EXPECT_EQ(glstub::named("gluPerspective")[0].arg[1], 640.0 / 480.0);
}

}  // namespace
