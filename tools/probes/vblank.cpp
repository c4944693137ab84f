// LD_PRELOAD probe: a display that refreshes 60 times a second, for the GLX of Xvfb, whose swaps never wait.
// While the swap interval is not 0, each glXSwapBuffers returns only at the next 16.667 ms boundary of
// CLOCK_MONOTONIC after the real swap (the interval-th boundary for larger intervals), as a driver that syncs to
// the refresh does. The interval starts at 1, Mesa's default. Both swap-control extensions are listed in
// glXQueryExtensionsString, and their calls are honoured whether the program links them or looks them up through
// glXGetProcAddress or glXGetProcAddressARB. VBLANK_FORCE=1 refuses interval 0, as Mesa does with vblank_mode=3.
// Preloaded after glspy (LD_PRELOAD="libglspy.so libvblank.so"), glspy's swap times include the wait.
// With VBLANK_LOG set, each swap appends "swap <interval>" to that file: the interval it was held to, 0 where it
// waited for no refresh. So a test asks the probe whether the swaps waited instead of guessing it from how many
// frames a machine of unknown speed managed to draw.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

constexpr long long REFRESH_NS = 16666667;
int swapInterval = 1;

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool zeroRefused() {
    static const bool refused = [] {
        const char* force = std::getenv("VBLANK_FORCE");
        return force && !std::strcmp(force, "1");
    }();
    return refused;
}

// Like Mesa: a negative interval is an error and changes nothing.
bool setInterval(int interval) {
    if (interval < 0) return false;
    if (interval > 0 || !zeroRefused()) swapInterval = interval;
    return true;
}

void logSwap() {
    static const int fd = [] {
        const char* path = std::getenv("VBLANK_LOG");
        return path ? open(path, O_WRONLY | O_CREAT | O_APPEND, 0644) : -1;
    }();
    if (fd < 0) return;
    char line[32];
    const int n = std::snprintf(line, sizeof line, "swap %d\n", swapInterval);
    if (write(fd, line, n) != n) return;  // nothing to do about it here: the test finds the line missing
}

void waitForRefresh() {
    logSwap();
    if (swapInterval == 0) return;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
    const long long due = (ns / REFRESH_NS + swapInterval) * REFRESH_NS;
    const timespec until{time_t(due / 1000000000LL), long(due % 1000000000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

}  // namespace

extern "C" {

void glXSwapBuffers(Display* dpy, GLXDrawable drawable) {
    static auto real = next<void (*)(Display*, GLXDrawable)>("glXSwapBuffers");
    real(dpy, drawable);
    waitForRefresh();
}

void glXSwapIntervalEXT(Display*, GLXDrawable, int interval) { setInterval(interval); }

int glXSwapIntervalMESA(unsigned int interval) { return setInterval(int(interval)) ? 0 : GLX_BAD_VALUE; }

const char* glXQueryExtensionsString(Display* dpy, int screen) {
    static auto real = next<const char* (*)(Display*, int)>("glXQueryExtensionsString");
    const char* own = real(dpy, screen);
    static const std::string listed = std::string(own ? own : "") + " GLX_EXT_swap_control GLX_MESA_swap_control";
    return listed.c_str();
}

__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    static auto real = next<__GLXextFuncPtr (*)(const GLubyte*)>("glXGetProcAddressARB");
    const char* text = reinterpret_cast<const char*>(name);
    if (!std::strcmp(text, "glXSwapIntervalEXT")) return reinterpret_cast<__GLXextFuncPtr>(glXSwapIntervalEXT);
    if (!std::strcmp(text, "glXSwapIntervalMESA")) return reinterpret_cast<__GLXextFuncPtr>(glXSwapIntervalMESA);
    return real(name);
}

__GLXextFuncPtr glXGetProcAddress(const GLubyte* name) { return glXGetProcAddressARB(name); }

}  // extern "C"
