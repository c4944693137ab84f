#include "density_grid.h"
#include "orbit_camera.h"
#include "platform_support.h"
#include "test_support.h"
#include "viewer.h"

#include "gl.h"

#include <algorithm>
#include <string>

namespace {

const char BANNER[] = "metaball demo\nby wex and tamrel\n\nshift-click to move camera\nclick-drag to animate";
constexpr double UNFILLED = -1.0;

std::vector<Expected> operator+(std::vector<Expected> first, const std::vector<Expected>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// The window system's part of start-up, right after the window exists: swap interval 0 for the new window's own
// context, through a swap control that the context lists and only such a one. SWAP_CASES lists others than both.
struct SwapCase {
    const char* extensions;
    std::vector<Expected> calls;  // between glutCreateWindow and glutDisplayFunc
};
#if defined(_WIN32)
const char BOTH_SWAP_CONTROLS[] = "WGL_ARB_extensions_string WGL_EXT_swap_control WGL_EXT_swap_control_tear";
void listSwapControls(const char* extensions) { glstub::setWglExtensions(extensions); }
const std::vector<Expected> QUERY = {{"wglGetCurrentDC", {}},
                                     {"wglGetProcAddress", {}, "wglGetExtensionsStringARB"},
                                     {"wglGetExtensionsStringARB", {}, "current device context"}};
const std::vector<Expected> EXT = {{"wglGetProcAddress", {}, "wglSwapIntervalEXT"}, {"wglSwapIntervalEXT", {0}}};
const SwapCase SWAP_CASES[] = {
    {"", QUERY}, {"WGL_EXT_swap_control_tear", QUERY}, {"WGL_EXT_swap_control", QUERY + EXT}};
#else
const char BOTH_SWAP_CONTROLS[] =
    "GLX_ARB_create_context GLX_EXT_swap_control GLX_MESA_swap_control GLX_SGI_swap_control";
void listSwapControls(const char* extensions) { glstub::setGlxExtensions(extensions); }
const std::vector<Expected> QUERY = {{"glXGetCurrentDisplay", {}}, {"glXGetCurrentDrawable", {}},
                                     {"glXQueryExtensionsString", {0}, "current display"}};
// The EXT form is preferred where both are listed.
const std::vector<Expected> EXT = {{"glXGetProcAddressARB", {}, "glXSwapIntervalEXT"},
                                   {"glXSwapIntervalEXT", {glstub::GLX_DRAWABLE, 0}, "current display"}};
const std::vector<Expected> MESA = {{"glXGetProcAddressARB", {}, "glXSwapIntervalMESA"},
                                    {"glXSwapIntervalMESA", {0}}};
const SwapCase SWAP_CASES[] = {
    {"", QUERY}, {"GLX_SGI_swap_control GLX_EXT_swap_control_tear", QUERY}, {"GLX_MESA_swap_control", QUERY + MESA},
    {"GLX_EXT_swap_control_tear GLX_MESA_swap_control_x GLX_MESA_swap_control", QUERY + MESA},
    {"GLX_EXT_swap_control", QUERY + EXT}};
#endif

// What the observer saw while start-up ran.
struct Seen {
    bool anyCall = false;
    long unfilledAtFirstCall = -1;
    std::string outputBeforeReshapeFunc, outputBeforeLoop;
    std::size_t bufferedAtLoop = 0;  // bytes still in stdout's buffer, not yet on the pipe
} seen;

void observe(std::string_view fn) {
    if (!seen.anyCall) {
        seen.anyCall = true;
        seen.unfilledAtFirstCall = std::count(std::begin(densityGrid), std::end(densityGrid), UNFILLED);
    }
    if (fn == "glutReshapeFunc") {
        seen.outputBeforeReshapeFunc = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
    }
    if (fn == "glutMainLoop") {
        seen.bufferedAtLoop = pendingOutput(stdout);
        seen.outputBeforeLoop = testing::internal::GetCapturedStdout();
    }
}

// Each test runs the whole start-up against the stub, from a state that start-up must put right.
class StartUp : public testing::Test {
protected:
    void SetUp() override {
        std::fill(std::begin(densityGrid), std::end(densityGrid), UNFILLED);
        camera.reset(Vec3(3, 4, 5));
        camera.rotate(20, 30);
        dragMode = DRAG_PAN;
        glstub::reset();
        glstub::setObserver(observe);
        listSwapControls(BOTH_SWAP_CONTROLS);
        seen = Seen{};
        char arg0[] = "metaballs", arg1[] = "-geometry", arg2[] = "200x100+5+5";
        char* argv[] = {arg0, arg1, arg2, nullptr};
        testing::internal::CaptureStdout();
        ASSERT_EQ(runViewer(3, argv), 0);
    }
};

TEST_F(StartUp, MakesEveryCallInOrderWithItsValues) {
    // The command line reaches GLUT unchanged, the title is the program's own.
    const std::vector<Expected> window = {{"glutInitWindowSize", {640, 480}},
                                          {"glutInit", {3}, "metaballs -geometry 200x100+5+5"},
                                          {"glutInitDisplayMode", {18}},
                                          {"glutCreateWindow", {}, "GLUT Application"}};
    const std::vector<Expected> callbacksAndState = {
        {"glutDisplayFunc", {}}, {"glutMouseFunc", {}}, {"glutMotionFunc", {}}, {"glutTimerFunc", {20, 0}},
        {"glViewport", {0, 0, 640, 480}},
        {"glEnable", {GL_LIGHT0}}, {"glEnable", {GL_LIGHT1}}, {"glEnable", {GL_LIGHT2}},
        {"glEnable", {GL_LIGHTING}}, {"glEnable", {GL_DEPTH_TEST}},
        {"glMaterialfv", {GL_FRONT_AND_BACK, GL_AMBIENT, 0.5, 0.5, 0.5, 1}},
        {"glLightfv", {GL_LIGHT0, GL_POSITION, -14, 13, 13, 1}},
        {"glLightfv", {GL_LIGHT1, GL_POSITION, 15, 17, -20, 1}},
        {"glLightfv", {GL_LIGHT2, GL_POSITION, -12, -8, 12, 1}},
        {"glLightfv", {GL_LIGHT0, GL_DIFFUSE, 0.2f, 0.3f, 0.2f, 1}},
        {"glLightfv", {GL_LIGHT1, GL_DIFFUSE, 0.3f, 0.3f, 0.3f, 1}},
        {"glLightfv", {GL_LIGHT2, GL_DIFFUSE, 0.3f, 0.3f, 0.2f, 1}},
        {"glutReshapeFunc", {}}, {"glutMainLoop", {}}};
    const std::vector<Expected> want = window + QUERY + EXT + callbacksAndState;
    const Calls& calls = glstub::calls();
    ASSERT_EQ(calls.size(), want.size());
    expectCalls(calls, 0, want);
}

TEST_F(StartUp, AsksForSwapIntervalZeroOnlyThroughAListedExtension) {
    for (const SwapCase& c : SWAP_CASES) {
        SCOPED_TRACE(c.extensions);
        glstub::reset();
        glstub::setObserver(observe);
        listSwapControls(c.extensions);
        char arg0[] = "metaballs";
        char* argv[] = {arg0, nullptr};
        testing::internal::CaptureStdout();
        ASSERT_EQ(runViewer(1, argv), 0);
        expectCalls(glstub::calls(), 3, std::vector<Expected>{{"glutCreateWindow", {}}} + c.calls +
                                            std::vector<Expected>{{"glutDisplayFunc", {}}});
    }
}

TEST_F(StartUp, RegistersTheShellCallbacks) {
    const glstub::Callbacks& cb = glstub::callbacks();
    EXPECT_EQ(cb.display, &display);
    EXPECT_EQ(cb.mouse, &mouseButton);
    EXPECT_EQ(cb.motion, &mouseMotion);
    EXPECT_EQ(cb.timer, &timerTick);
    EXPECT_EQ(cb.reshape, &reshape);
}

TEST_F(StartUp, FillsTheFieldBeforeAnyGlutCall) {
    ASSERT_TRUE(seen.anyCall);
    EXPECT_EQ(seen.unfilledAtFirstCall, 0);
}

TEST_F(StartUp, PrintsTheBannerExactlyBetweenReshapeRegistrationAndTheLoop) {
    EXPECT_EQ(seen.outputBeforeReshapeFunc, "");
    EXPECT_EQ(seen.outputBeforeLoop, BANNER);
    EXPECT_EQ(seen.bufferedAtLoop, 0u);
}

TEST_F(StartUp, ResetsCameraAndDragMode) {
    EXPECT_EQ(dragMode, DRAG_NONE);
    EXPECT_EQ(camera.getElevation(), 0.0);
    EXPECT_EQ(camera.getAzimuth(), 0.0);
    EXPECT_EQ(camera.getDistance(), 10.0);
    expectVec(camera.getCenter(), 0, 0, 0);
}

TEST_F(StartUp, TimerDoesNothingAndDoesNotRearm) {
    glstub::reset();
    dragMode = DRAG_ZOOM;
    timerTick(0);
    EXPECT_TRUE(glstub::calls().empty());
    EXPECT_EQ(glstub::callbacks().timer, nullptr);
    EXPECT_EQ(dragMode, DRAG_ZOOM);
}

}  // namespace
