// LD_PRELOAD probe for the real viewer: logs every buffer swap with its time and counts the geometry and view
// calls since the previous swap, flagging any NaN or infinity that reaches OpenGL or GLU. It also counts the drag
// motion events the program has taken from Xlib's queue (core MotionNotify with a button held, the form in which
// freeglut hands every motion on), so that a frame can be matched to the events it shows, and it tells frames
// apart by what they draw. Under Wine it logs a Windows program's swaps as well (its GL, GLU and Xlib calls go
// past it, so the other figures stay 0 there).
// Log (GLSPY_LOG), per swap:
//   "swap <CLOCK_MONOTONIC ns> <CLOCK_REALTIME ns> <checked calls> <non-finite so far> <drag motions taken so far>
//    <glVertex3dv calls> <surface> <view> <frame ns>"
// where <surface> is a hash of the bits of the frame's last vertex and normal, which differ from one step of the
// animation to the next, and <view> one of the bits of the last gluLookAt so far, the view the frame was drawn
// with (both 16 hex digits, 0 where there was none); <frame ns> is how long the frame took, from its glClear until
// the swap returned (any wait for a refresh included), 0 where the frame began with no glClear: the machine's own
// speed, by which a test can scale what it allows. "nonfinite <function>" is logged the moment a bad value passes.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>

namespace {

int logFd = -2;
unsigned long checkedCalls = 0;
unsigned long nonFinite = 0;
unsigned long dragMotions = 0;
unsigned long vertices = 0;
double lastVertex[3], lastNormal[3], lastView[9];
bool anyVertex = false, anyView = false;
long long frameStart = 0;

// FNV-1a over the bits of n doubles.
uint64_t hashBits(const double* values, int n, uint64_t h = 1469598103934665603ULL) {
    for (int i = 0; i < n; ++i) {
        unsigned char bytes[sizeof(double)];
        std::memcpy(bytes, &values[i], sizeof bytes);
        for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ULL;
    }
    return h;
}

int log() {
    if (logFd == -2) {
        const char* path = std::getenv("GLSPY_LOG");
        logFd = path ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    }
    return logFd;
}

void say(const char* text, int n) {
    if (log() >= 0 && write(logFd, text, n) < 0) logFd = -1;
}

long long nanos(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

void check(const char* fn, std::initializer_list<double> values) {
    ++checkedCalls;
    for (double v : values)
        if (!std::isfinite(v)) {
            ++nonFinite;
            char line[96];
            say(line, std::snprintf(line, sizeof line, "nonfinite %s\n", fn));
            return;
        }
}

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

using SwapBuffers = void (*)(Display*, GLXDrawable);

void logSwap() {
    const uint64_t surface = anyVertex ? hashBits(lastNormal, 3, hashBits(lastVertex, 3)) : 0;
    const uint64_t view = anyView ? hashBits(lastView, 9) : 0;
    const long long now = nanos(CLOCK_MONOTONIC);
    char line[224];
    say(line, std::snprintf(line, sizeof line, "swap %lld %lld %lu %lu %lu %lu %016llx %016llx %lld\n", now,
                            nanos(CLOCK_REALTIME), checkedCalls, nonFinite, dragMotions, vertices,
                            (unsigned long long)surface, (unsigned long long)view, frameStart ? now - frameStart : 0));
    checkedCalls = vertices = 0;
    anyVertex = false;
    frameStart = 0;
}

// The swap that glXGetProcAddressARB found, which may be another library's than the one glXSwapBuffers calls.
SwapBuffers lookedUpSwap = nullptr;
void swapLookedUp(Display* dpy, GLXDrawable drawable) {
    lookedUpSwap(dpy, drawable);
    logSwap();
}

}  // namespace

extern "C" {

void glXSwapBuffers(Display* dpy, GLXDrawable drawable) {
    static auto real = next<SwapBuffers>("glXSwapBuffers");
    real(dpy, drawable);
    logSwap();
}

int XNextEvent(Display* dpy, XEvent* event) {
    static auto real = next<int (*)(Display*, XEvent*)>("XNextEvent");
    const int result = real(dpy, event);
    constexpr unsigned int BUTTONS = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
    if (event->type == MotionNotify && (event->xmotion.state & BUTTONS)) ++dragMotions;
    return result;
}

void glClear(GLbitfield mask) {
    static auto real = next<void (*)(GLbitfield)>("glClear");
    if (!frameStart) frameStart = nanos(CLOCK_MONOTONIC);
    real(mask);
}

void glVertex3dv(const GLdouble* v) {
    static auto real = next<void (*)(const GLdouble*)>("glVertex3dv");
    check("glVertex3dv", {v[0], v[1], v[2]});
    ++vertices;
    std::memcpy(lastVertex, v, sizeof lastVertex);
    anyVertex = true;
    real(v);
}

void glNormal3dv(const GLdouble* v) {
    static auto real = next<void (*)(const GLdouble*)>("glNormal3dv");
    check("glNormal3dv", {v[0], v[1], v[2]});
    std::memcpy(lastNormal, v, sizeof lastNormal);
    real(v);
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    static auto real = next<void (*)(GLdouble, GLdouble, GLdouble)>("glVertex3d");
    check("glVertex3d", {x, y, z});
    real(x, y, z);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    static auto real = next<void (*)(GLdouble, GLdouble, GLdouble, GLdouble)>("gluPerspective");
    check("gluPerspective", {fovy, aspect, zNear, zFar});
    real(fovy, aspect, zNear, zFar);
}

void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
               GLdouble uy, GLdouble uz) {
    static auto real = next<void (*)(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
                                     GLdouble, GLdouble)>("gluLookAt");
    check("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
    const double view[9] = {ex, ey, ez, cx, cy, cz, ux, uy, uz};
    std::memcpy(lastView, view, sizeof lastView);
    anyView = true;
    real(ex, ey, ez, cx, cy, cz, ux, uy, uz);
}

// Wine opens libGL.so.1 itself, looks glXGetProcAddressARB up in it and every GLX entry point through that, a
// Windows program's swaps included. It is handed this probe instead, which needs libGL.so.1 and so has everything
// libGL has, with the logging lookup first; that hands out a logging swap which calls the one it found.
__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    static auto real = next<__GLXextFuncPtr (*)(const GLubyte*)>("glXGetProcAddressARB");
    const __GLXextFuncPtr found = real(name);
    if (!found || std::strcmp(reinterpret_cast<const char*>(name), "glXSwapBuffers") != 0 ||
        found == reinterpret_cast<__GLXextFuncPtr>(glXSwapBuffers))
        return found;
    lookedUpSwap = reinterpret_cast<SwapBuffers>(found);
    return reinterpret_cast<__GLXextFuncPtr>(swapLookedUp);
}

void* dlopen(const char* file, int flags) {
    static auto real = next<void* (*)(const char*, int)>("dlopen");
    Dl_info self;
    if (file && std::strcmp(file, "libGL.so.1") == 0 && dladdr(reinterpret_cast<void*>(glXSwapBuffers), &self))
        return real(self.dli_fname, flags);
    return real(file, flags);
}

}  // extern "C"
