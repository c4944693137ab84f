// A motion event with another one already waiting behind it: its frame would be stale before it could be seen.
#include "event_queue.h"
#include "isosurface.h"
#include "orbit_camera.h"
#include "shell_fixture.h"
#include "test_support.h"
#include "viewer.h"

#include "gl.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>

namespace {

constexpr unsigned long OURS = glstub::GLX_DRAWABLE, OTHER_WINDOW = 0x2c00007;

class EventQueue : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        watchEventQueue();
        animTime = 0;
        glstub::reset();
    }
    static void shiftPress(int button, int x, int y) {
        glstub::setModifiers(GLUT_ACTIVE_SHIFT);
        mouseButton(button, GLUT_DOWN, x, y);
        glstub::reset();
    }
};

// What freeglut would hand to mouseMotion next, in the core form and in XInput 2's (Debian's freeglut asks for the
// latter, and the server then sends no core motion), against everything else that can wait there.
TEST_F(EventQueue, OnlyADragMotionOfTheWindowWaitingNextLeavesTheFrameUndrawn) {
    const struct {
        const char* what;
        void (*queue)();
        bool undrawn;
    } cases[] = {
        {"nothing waiting", [] {}, false},
        {"a drag, left button", [] { glstub::queueXEvent(MotionNotify, OURS, Button1Mask | ShiftMask); }, true},
        {"a drag, fifth button", [] { glstub::queueXEvent(MotionNotify, OURS, Button5Mask); }, true},
        {"motion, no button", [] { glstub::queueXEvent(MotionNotify, OURS, ShiftMask); }, false},
        {"another window's drag", [] { glstub::queueXEvent(MotionNotify, OTHER_WINDOW, Button1Mask); }, false},
        {"the release", [] { glstub::queueXEvent(ButtonRelease, OURS, Button1Mask); }, false},
        {"an expose", [] { glstub::queueXEvent(Expose, OURS, 0); }, false},
        {"XInput: a drag, left button", [] { glstub::queueXInputEvent(XI_Motion, OURS, 1 << 1); }, true},
        {"XInput: a drag, fourth button", [] { glstub::queueXInputEvent(XI_Motion, OURS, 1 << 4); }, true},
        // freeglut's conversion moves button 5 out of the core mask: that motion goes nowhere.
        {"XInput: motion, fifth button", [] { glstub::queueXInputEvent(XI_Motion, OURS, 1 << 5); }, false},
        {"XInput: motion, no button", [] { glstub::queueXInputEvent(XI_Motion, OURS, 0); }, false},
        {"XInput: another window's drag", [] { glstub::queueXInputEvent(XI_Motion, OTHER_WINDOW, 2); }, false},
        {"XInput: the release", [] { glstub::queueXInputEvent(XI_ButtonRelease, OURS, 1 << 1); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        camera.reset(Vec3(0, 0, 0));
        shiftPress(GLUT_LEFT_BUTTON, 100, 200);
        OrbitCamera expected = camera;
        expected.rotate(10, 30);  // 10 px left, 30 px down
        const double before = animTime;
        c.queue();
        mouseMotion(90, 230);

        EXPECT_TRUE(sameCamera(camera, expected));
        EXPECT_EQ(lastMouseX, 90.0);
        EXPECT_EQ(lastMouseY, 250.0);
        EXPECT_EQ(animTime, before + 0.03);
        const Calls& calls = glstub::calls();
        if (c.undrawn) {
            EXPECT_TRUE(calls.empty()) << calls.size() << " calls, the first " << calls[0].fn;
        } else {
            ASSERT_GT(calls.size(), 6u);
            expectView(calls, 0, 640.0 / 480.0, camera.eye(), camera.getCenter(), camera.up());
            EXPECT_EQ(calls.back().fn, "glutSwapBuffers");
        }
    }
}

}  // namespace
