// The shell's callbacks driven through the worst a person can do with the mouse and the window: nothing
// non-finite may ever reach gluLookAt, gluPerspective or a vertex/normal call, and the view must recover.
#include "shell_fixture.h"
#include "window_geometry.h"

#include "gl.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

bool isFinite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void expectFiniteCamera() {
    EXPECT_TRUE(std::isfinite(camera.getElevation()));
    EXPECT_TRUE(std::isfinite(camera.getAzimuth()));
    EXPECT_TRUE(std::isfinite(camera.getDistance()));
    EXPECT_TRUE(isFinite(camera.getCenter()));
    EXPECT_TRUE(isFinite(camera.eye()));
}

// Reproducible input: the minimal standard generator's sequence is fixed by the C++ standard itself.
class Dice {
public:
    explicit Dice(uint32_t start) : engine(start) {}
    uint32_t below(uint32_t n) { return uint32_t(engine() % n); }

private:
    std::minstd_rand engine;
};

class DegenerateInput : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        glstub::setRecording(false);  // frames are only counted and checked: keeps each one cheap
        reshape(640, 480);
    }
    void TearDown() override {
        EXPECT_EQ(glstub::nonFiniteCount(), 0u);
        glstub::setRecording(true);
    }
    static void press(int button, int mods, int x, int y) {
        glstub::setModifiers(mods);
        mouseButton(button, GLUT_DOWN, x, y);
    }
    static void release(int button, int x, int y) { mouseButton(button, GLUT_UP, x, y); }
};

TEST_F(DegenerateInput, ZoomThroughTheCentreWithPansOnTheWay) {
    press(GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 0, 240);
    mouseMotion(1000, 240);
    ASSERT_EQ(camera.getDistance(), 0.0);

    // A second button with Shift switches to panning while the eye sits on the centre: nothing moves.
    press(GLUT_MIDDLE_BUTTON, GLUT_ACTIVE_SHIFT, 1000, 240);
    mouseMotion(900, 200);
    mouseMotion(1100, 300);
    const Vec3 c = camera.getCenter();
    EXPECT_EQ(c.x, 0.0);
    EXPECT_EQ(c.y, 0.0);
    EXPECT_EQ(c.z, 0.0);

    // Behind the centre panning works again, mirrored: the eye looks along +z.
    press(GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 1000, 240);
    mouseMotion(1500, 240);
    ASSERT_EQ(camera.getDistance(), -5.0);
    press(GLUT_MIDDLE_BUTTON, GLUT_ACTIVE_SHIFT, 1500, 240);
    mouseMotion(1400, 240);
    EXPECT_EQ(camera.getCenter().x, -1.0);

    // Back out in coarse steps that pass close to, but not onto, the centre.
    press(GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 1400, 240);
    for (int x = 1400; x >= -100; x -= 60) mouseMotion(x, 240);
    release(GLUT_RIGHT_BUTTON, -100, 240);
    EXPECT_GT(camera.getDistance(), 9.0);
    expectFiniteCamera();
}

TEST_F(DegenerateInput, HugeRotationsAndOrbitsOverThePoles) {
    press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, 320, 0);
    mouseMotion(320, 1300);  // one event, far past 180 * 2π pixels: the single wrap leaves elevation negative
    EXPECT_LT(camera.getElevation(), 0.0);
    EXPECT_EQ(camera.up().y, 1.0);

    bool upright = false, overturned = false;
    for (int y = 1300; y >= 0; y -= 40) {
        mouseMotion(320 + y / 10, y);
        (camera.up().y > 0 ? upright : overturned) = true;
    }
    EXPECT_TRUE(upright && overturned) << "the orbit did not pass over a pole";

    // The largest jumps the X protocol can carry, both ways.
    mouseMotion(32767, -32768);
    mouseMotion(-32768, 32767);
    mouseMotion(32767, 32767);
    release(GLUT_LEFT_BUTTON, 32767, 32767);
    expectFiniteCamera();
}

TEST_F(DegenerateInput, DragsInWindowsOfZeroAndOnePixel) {
    struct Size {
        int w, h;
    };
    for (const Size& s : {Size{0, 0}, Size{640, 0}, Size{0, 480}, Size{1, 1}, Size{640, 1}, Size{1, 480}}) {
        SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
        glstub::setRecording(true);
        reshape(s.w, s.h);
        const auto perspective = glstub::named("gluPerspective");
        ASSERT_FALSE(perspective.empty());
        EXPECT_GT(perspective.back().arg[1], 0.0);
        EXPECT_EQ(glstub::nonFiniteCount(), 0u);
        glstub::reset();
        glstub::setRecording(false);

        press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, 0, 0);
        mouseMotion(3, 1);
        press(GLUT_MIDDLE_BUTTON, GLUT_ACTIVE_SHIFT, 3, 1);
        mouseMotion(-4, 0);
        mouseMotion(0, 0);
        press(GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 0, 0);
        mouseMotion(-2, 0);
        release(GLUT_LEFT_BUTTON, -2, 0);
        mouseMotion(0, 0);
        release(GLUT_RIGHT_BUTTON, 0, 0);
        release(GLUT_MIDDLE_BUTTON, 0, 0);
        EXPECT_EQ(glstub::nonFiniteCount(), 0u);
        expectFiniteCamera();
    }
}

// A resize moves the bottom edge that the stored pointer is counted from, but not the pointer itself.
TEST_F(DegenerateInput, ResizeInTheMiddleOfADragMovesNothing) {
    press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, 100, 200);
    mouseMotion(90, 200);
    const double azimuth = camera.getAzimuth();
    reshape(640, 280);
    reshape(800, 900);
    mouseMotion(89, 200);  // one pixel to the left, nothing up or down
    EXPECT_EQ(camera.getElevation(), 0.0);
    EXPECT_EQ(camera.getAzimuth(), azimuth + 0.005555555555555556);
    EXPECT_EQ(lastMouseY, 700.0);
}

// The callbacks take any int; counting y up from the bottom edge must not overflow at either end.
TEST_F(DegenerateInput, PointerAtTheEndsOfTheIntRange) {
    reshape(640, INT_MAX);
    press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, INT_MAX, INT_MIN);
    EXPECT_EQ(lastMouseY, 4294967295.0);
    mouseMotion(INT_MIN, INT_MAX);
    EXPECT_EQ(lastMouseY, 0.0);
    reshape(640, 0);
    EXPECT_EQ(lastMouseY, -2147483647.0);
    mouseMotion(INT_MAX, INT_MIN);
    EXPECT_EQ(lastMouseY, 2147483648.0);
    expectFiniteCamera();
}

// glutInit leaves the window size undefined unless the -geometry it takes gives both width and height.
// The e2e test judges the common values on a real window; these are the finer points of the reading.
TEST(GeometryOption, IsFoundAndReadAsGlutInitDoes) {
    struct Case {
        std::vector<std::string> args;
        bool present, sizeGiven;
    };
    const Case cases[] = {
        {{}, false, false},
        {{"-geometry", "320x200+5+5"}, true, true},
        {{"-geometry", "0x480"}, true, false},
        {{"-geometry", "640x480junk"}, true, false},
        {{"-geometry", "320x200", "-geometry", "+1+1"}, true, false},  // the last one counts
        {{"-display", "-geometry", "320x200"}, false, false},        // a display named "-geometry"
        {{"-geometry"}, false, false},                                // GLUT itself refuses this one
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("metaballs")};
        for (const std::string& a : c.args) argv.push_back(const_cast<char*>(a.c_str()));
        const GeometryOption g = readGeometryOption(int(argv.size()), argv.data());
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.args));
        EXPECT_EQ(g.present, c.present);
        EXPECT_EQ(g.sizeGiven, c.sizeGiven);
    }
}

// A fixed pseudo-random storm of presses, releases and motions of every button with every modifier set.
TEST_F(DegenerateInput, ChordsAndStrayButtonsKeepAKnownMode) {
    const int modifierSets[] = {0, GLUT_ACTIVE_SHIFT, GLUT_ACTIVE_CTRL, GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT};
    Dice dice(12345);
    int x = 320, y = 240;
    for (int n = 0; n < 160; ++n) {
        const uint32_t what = dice.below(4);
        if (what == 0) {
            press(int(dice.below(5)), modifierSets[dice.below(4)], x, y);
        } else if (what == 1) {
            release(int(dice.below(5)), x, y);
        } else {
            x += int(dice.below(1201)) - 600;
            y += int(dice.below(1201)) - 600;
            mouseMotion(x, y);
        }
        ASSERT_TRUE(dragMode == DRAG_NONE || dragMode == DRAG_ROTATE || dragMode == DRAG_PAN ||
                    dragMode == DRAG_ZOOM)
            << "event " << n;
    }
    expectFiniteCamera();
}

// The camera alone, without frames: many more operations than the frame-drawing tests can afford, each followed
// by the view set-up that hands the camera to GLU.
TEST_F(DegenerateInput, ManyRandomCameraOperationsKeepTheViewFinite) {
    Dice dice(777);
    for (int n = 0; n < 20000; ++n) {
        const double dx = double(dice.below(4001)) - 2000, dy = double(dice.below(4001)) - 2000;
        switch (dice.below(5)) {
        case 0: camera.rotate(dx, dy); break;
        case 1: camera.pan(dx, dy); break;
        case 2: camera.zoom(dx); break;
        case 3: camera.zoom(-camera.getDistance() / 0.01); break;  // onto the centre, or very close to it
        default: reshape(int(dice.below(3)), int(dice.below(3))); break;
        }
        setupView();
        ASSERT_EQ(glstub::nonFiniteCount(), 0u) << "operation " << n;
    }
    expectFiniteCamera();
}

}  // namespace
