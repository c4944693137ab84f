#include "density_grid.h"
#include "orbit_camera.h"
#include "platform_support.h"
#include "test_support.h"
#include "viewer.h"

#include "gl.h"

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <X11/X.h>
#include <X11/Xatom.h>
#include <unistd.h>
#endif

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
// Nothing more of the window system's: Windows knows the program's windows by the program, and merges pointer motion.
std::vector<Expected> afterSwapControl() { return {}; }
#elif defined(__EMSCRIPTEN__)
// Nothing of the window system's at all: a browser has no swap interval to ask for, knows the page by its title and
// icon, and merges pointer motion itself.
const char BOTH_SWAP_CONTROLS[] = "";
void listSwapControls(const char*) {}
const std::vector<Expected> QUERY, EXT;
const SwapCase SWAP_CASES[] = {{"", {}}};
std::vector<Expected> afterSwapControl() { return {}; }
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
// Then the window says whose it is (its class, its process and its icon), and the queue of its events is found.
// A function, for the stub's atoms: they do not exist before the tests run.
std::vector<Expected> afterSwapControl() {
    const double pid = glstub::atom("_NET_WM_PID"), icon = glstub::atom("_NET_WM_ICON");
    const double iconLength = 2 + 32 * 32 + 2 + 64 * 64;  // width, height and pixels of each of the two sizes
    return {{"glXGetCurrentDisplay", {}}, {"glXGetCurrentDrawable", {}},
            {"XSetClassHint", {glstub::GLX_DRAWABLE}, "metaballs Metaballs"},
            {"XInternAtom", {0}, "_NET_WM_PID"},
            {"XChangeProperty", {glstub::GLX_DRAWABLE, pid, XA_CARDINAL, 32, PropModeReplace, 1}},
            {"XInternAtom", {0}, "_NET_WM_ICON"},
            {"XChangeProperty", {glstub::GLX_DRAWABLE, icon, XA_CARDINAL, 32, PropModeReplace, iconLength}},
            {"glXGetCurrentDisplay", {}}, {"glXGetCurrentDrawable", {}}, {"XQueryExtension", {}, "XInputExtension"}};
}
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
        {"glutDisplayFunc", {}}, {"glutMouseFunc", {}}, {"glutMotionFunc", {}}, {"glutPositionFunc", {}},
        {"glutTimerFunc", {20, 0}}, {"glViewport", {0, 0, 640, 480}},
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
    const std::vector<Expected> want = window + QUERY + EXT + afterSwapControl() + callbacksAndState;
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
        expectCalls(glstub::calls(), 3, std::vector<Expected>{{"glutCreateWindow", {}}} + c.calls + afterSwapControl() +
                                            std::vector<Expected>{{"glutDisplayFunc", {}}});
    }
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// What a taskbar reads to group the window with its menu entry and show its icon.
TEST_F(StartUp, TellsTheDesktopWhoseTheWindowIs) {
    // The stream test pins the calls, their class and their atoms; here is what the two properties say.
    const std::vector<glstub::Call> properties = glstub::named("XChangeProperty");
    ASSERT_EQ(properties.size(), 2u);
    EXPECT_EQ(glstub::cardinals(properties[0]), std::vector<unsigned long>{static_cast<unsigned long>(getpid())});
    const std::vector<unsigned long> icon = glstub::cardinals(properties[1]);
    // Width and height, then ARGB pixels, for each size. The sums of each channel are those of the committed PNGs:
    //   convert app/icons/NxN/metaballs.png -depth 8 RGBA:- | od -An -v -tu1 |
    //     awk '{ for (i = 1; i <= NF; i++) s[k++ % 4] += $i } END { print s[3], s[0], s[1], s[2] }'
    // so a stale copy of the pixels, or channels in another order, shows.
    const struct {
        unsigned long size, alpha, red, green, blue;
    } sizes[] = {{32, 257676, 14842, 15786, 13835}, {64, 1030176, 59333, 63093, 55309}};
    std::size_t at = 0;
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.size);
        ASSERT_LE(at + 2 + s.size * s.size, icon.size());
        EXPECT_EQ(icon[at], s.size);
        EXPECT_EQ(icon[at + 1], s.size);
        unsigned long sum[4] = {};
        for (std::size_t p = at + 2; p < at + 2 + s.size * s.size; ++p)
            for (int channel = 0; channel < 4; ++channel) sum[channel] += icon[p] >> (24 - 8 * channel) & 0xff;
        EXPECT_EQ(sum[0], s.alpha);
        EXPECT_EQ(sum[1], s.red);
        EXPECT_EQ(sum[2], s.green);
        EXPECT_EQ(sum[3], s.blue);
        at += 2 + s.size * s.size;
    }
    EXPECT_EQ(at, icon.size());
}
#endif

TEST_F(StartUp, RegistersTheShellCallbacks) {
    const glstub::Callbacks& cb = glstub::callbacks();
    EXPECT_EQ(cb.display, &display);
    EXPECT_EQ(cb.mouse, &mouseButton);
    EXPECT_EQ(cb.motion, &mouseMotion);
    EXPECT_EQ(cb.position, &windowMoved);
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
