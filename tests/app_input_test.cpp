#include "density_grid.h"
#include "event_queue.h"
#include "isosurface.h"
#include "orbit_camera.h"
#include "shell_fixture.h"
#include "test_support.h"
#include "viewer.h"

#include "gl.h"

namespace {

constexpr double TWO_PI = 6.283185307179586, PER_PIXEL = 0.005555555555555556;
constexpr int32_t UNCHANGED = -1;

class Input : public ShellTest {
protected:
    static void press(int button, int mods, int x, int y) {
        glstub::setModifiers(mods);
        mouseButton(button, GLUT_DOWN, x, y);
        glstub::reset();
    }
};

void expectCameraUnmoved() {
    EXPECT_EQ(camera.getDistance(), 10.0);
    EXPECT_EQ(camera.getAzimuth(), 0.0);
    EXPECT_EQ(camera.getElevation(), 0.0);
    expectVec(camera.getCenter(), 0, 0, 0);
}

TEST_F(Input, ButtonEventsFollowTheDragModeTable) {
    // Press with exactly Shift, buttons 0..4; any other press keeps the mode.
    const int32_t shiftPress[5] = {DRAG_ROTATE, DRAG_PAN, DRAG_ZOOM, UNCHANGED, UNCHANGED};
    // Release of buttons 0..4, whatever the modifiers.
    const int32_t release[5] = {DRAG_NONE, DRAG_NONE, DRAG_NONE, UNCHANGED, UNCHANGED};
    const int shift = GLUT_ACTIVE_SHIFT, ctrl = GLUT_ACTIVE_CTRL, alt = GLUT_ACTIVE_ALT;
    const int modifierSets[] = {0, shift, ctrl, alt, shift | ctrl, shift | alt, ctrl | alt, shift | ctrl | alt};

    for (int32_t start : {DRAG_NONE, DRAG_ROTATE, DRAG_PAN, DRAG_ZOOM})
        for (int button = 0; button < 5; ++button)
            for (int mods : modifierSets)
                for (int state : {GLUT_DOWN, GLUT_UP}) {
                    SCOPED_TRACE(testing::Message() << "mode " << start << " button " << button << " mods "
                                                    << mods << (state == GLUT_DOWN ? " press" : " release"));
                    glstub::reset();
                    glstub::setModifiers(mods);
                    dragMode = start;
                    mouseButton(button, state, 10, 20);

                    int32_t want = state == GLUT_UP ? release[button] : mods == shift ? shiftPress[button] : UNCHANGED;
                    EXPECT_EQ(dragMode, want == UNCHANGED ? start : want);
                    // Modifiers are read only on a press; every event posts a redisplay and draws nothing itself.
                    const Calls& calls = glstub::calls();
                    ASSERT_EQ(calls.size(), state == GLUT_DOWN ? 2u : 1u);
                    if (state == GLUT_DOWN) {
                        EXPECT_EQ(calls[0].fn, "glutGetModifiers");
                    }
                    EXPECT_EQ(calls.back().fn, "glutPostRedisplay");
                }
}

TEST_F(Input, PressRecordsThePointerFromTheBottomEdgeAndReleaseDoesNot) {
    glstub::setModifiers(GLUT_ACTIVE_CTRL);
    mouseButton(4, GLUT_DOWN, 100, 200);
    EXPECT_EQ(lastMouseX, 100.0);
    EXPECT_EQ(lastMouseY, 280.0);
    mouseButton(GLUT_LEFT_BUTTON, GLUT_UP, 300, 400);
    EXPECT_EQ(lastMouseX, 100.0);
    EXPECT_EQ(lastMouseY, 280.0);
}

TEST_F(Input, ShiftLeftDragRotatesByTheDeltasFromThePressPoint) {
    press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, 100, 200);
    mouseMotion(90, 230);  // 10 px left, 30 px down: yUp = 480 - 230
    EXPECT_EQ(camera.getAzimuth(), 10 * PER_PIXEL);
    EXPECT_EQ(camera.getElevation(), 30 * -PER_PIXEL + TWO_PI);
    EXPECT_EQ(lastMouseX, 90.0);
    EXPECT_EQ(lastMouseY, 250.0);
    // The next event measures from the previous one.
    mouseMotion(90, 200);
    EXPECT_EQ(camera.getElevation(), (30 * -PER_PIXEL + TWO_PI) + -30 * -PER_PIXEL);
}

TEST_F(Input, ShiftMiddleDragPans) {
    press(GLUT_MIDDLE_BUTTON, GLUT_ACTIVE_SHIFT, 100, 200);
    mouseMotion(0, 300);
    expectVec(camera.getCenter(), 1, 1, 0);
    EXPECT_EQ(camera.getDistance(), 10.0);
    EXPECT_EQ(camera.getAzimuth(), 0.0);
}

TEST_F(Input, ShiftRightDragZoomsOnHorizontalMotionOnly) {
    press(GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 100, 200);
    mouseMotion(150, 100);
    mouseMotion(150, 0);
    EXPECT_EQ(camera.getDistance(), 10 + -50 * 0.01);
    EXPECT_EQ(camera.getElevation(), 0.0);
    expectVec(camera.getCenter(), 0, 0, 0);
}

TEST_F(Input, EveryMotionDrawsAFrameEvenWithoutAMode) {
    for (int32_t mode : {DRAG_NONE, DRAG_ROTATE, DRAG_PAN, DRAG_ZOOM}) {
        SCOPED_TRACE(mode);
        camera.reset(Vec3(0, 0, 0));
        press(GLUT_LEFT_BUTTON, 0, 50, 50);
        dragMode = mode;
        const double before = animTime;
        const Calls calls = record([] { mouseMotion(20, 90); });
        if (mode == DRAG_NONE) expectCameraUnmoved();
        // The view of the camera's new state, then a whole frame, swapped before returning.
        ASSERT_GT(calls.size(), 6u);
        expectView(calls, 0, 640.0 / 480.0, camera.eye(), camera.getCenter(), camera.up());
        EXPECT_EQ(calls[5].fn, "glClear");
        EXPECT_EQ(calls.back().fn, "glutSwapBuffers");
        EXPECT_EQ(animTime, before + 0.03);
    }
}

TEST_F(Input, ReleasingAnyModeButtonEndsTheCameraDrag) {
    press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, 100, 100);
    press(GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 100, 100);  // a second button switches the mode
    EXPECT_EQ(dragMode, DRAG_ZOOM);
    mouseButton(GLUT_MIDDLE_BUTTON, GLUT_UP, 100, 100);
    mouseMotion(0, 0);
    expectCameraUnmoved();
}

// The pointer goes left and down on the screen in even steps while the window moves under it, then is maximised
// (moved to the corner and grown): the camera must turn exactly as with the window left where it was.
TEST_F(Input, WindowMovesDuringAShiftDragTurnOnlyByThePointersOwnMovement) {
    struct Place {
        int x, y, width, height;
    };
    const Place start{100, 50, 640, 480}, moved{300, 80, 640, 480}, maximised{0, 0, 1280, 1024};
    auto drag = [](const Place (&placeAt)[4]) {
        camera.reset(Vec3(0, 0, 0));
        windowPlaced = false;
        windowHeight = placeAt[0].height;
        for (int n = 0; n < 4; ++n) {
            const Place& p = placeAt[n];
            glstub::setWindowPosition(p.x, p.y);
            windowMoved(p.x, p.y);
            if (p.height != windowHeight) reshape(p.width, p.height);
            const int screenX = 400 - 10 * n, screenY = 300 + 20 * n;
            if (n == 0) press(GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, screenX - p.x, screenY - p.y);
            else mouseMotion(screenX - p.x, screenY - p.y);
        }
        return camera;
    };
    const OrbitCamera still = drag({start, start, start, start});
    const OrbitCamera carried = drag({start, start, moved, maximised});
    EXPECT_EQ(still.getAzimuth(), 30 * PER_PIXEL);
    EXPECT_EQ(carried.getAzimuth(), still.getAzimuth());
    EXPECT_EQ(carried.getElevation(), still.getElevation());
}

// A backlog of motion events, every mode of the camera among them, against the same events each drawn: X11's queue
// and a browser's merged moves alike.
TEST_F(Input, ABacklogEndsOnTheFrameAndStateOfEveryEventDrawn) {
    if (!glstub::queueDragMotion(GLUT_LEFT_BUTTON)) GTEST_SKIP() << "no motion ever waits on this window system";
    watchEventQueue();
    struct Outcome {
        OrbitCamera camera{Vec3(0, 0, 0)};
        double animTime = 0;
        Calls lastFrame;
        std::size_t earlierCalls = 0;
    };
    auto play = [](bool backlog) {
        camera.reset(Vec3(0, 0, 0));
        animTime = 0;
        Outcome out;
        const int button[] = {GLUT_LEFT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON};
        for (int b = 0; b < 3; ++b) {
            press(button[b], GLUT_ACTIVE_SHIFT, 300, 200);
            for (int n = 1; n <= 6; ++n) {
                const bool last = b == 2 && n == 6;
                glstub::reset();
                if (backlog && !last) glstub::queueDragMotion(button[b]);
                mouseMotion(300 - 7 * n, 200 + 11 * n * (b + 1));
                if (!last) out.earlierCalls += glstub::calls().size();
            }
        }
        out.camera = camera;
        out.animTime = animTime;
        out.lastFrame = glstub::calls();
        return out;
    };
    const Outcome drawn = play(false), skipped = play(true);
    EXPECT_GT(drawn.earlierCalls, 0u);
    EXPECT_EQ(skipped.earlierCalls, 0u);
    EXPECT_TRUE(sameCamera(skipped.camera, drawn.camera));
    EXPECT_EQ(std::memcmp(&skipped.animTime, &drawn.animTime, sizeof(double)), 0);
    ASSERT_FALSE(skipped.lastFrame.empty());
    EXPECT_EQ(firstDifference(skipped.lastFrame, drawn.lastFrame), -1);
}

}  // namespace
