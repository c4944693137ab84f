// Pointer motion through XTest, for timing drags:
//   xmotion press BUTTON X Y [shift] | move COUNT X0 Y0 DX [HZ [DY]] | flood SECONDS X0 Y0 DX | release BUTTON
// "press" moves to (X, Y) and presses BUTTON, with Shift held for the press when asked. "move" sends COUNT absolute
// moves starting at (X0, Y0), stepping DX pixels along x (and DY along y) and bouncing back after 100 steps; each
// request is synced so the server has taken it before the next is sent. Without HZ (or with 0) the moves go as
// fast as the server takes them, with HZ at that steady rate, like a mouse. Each move's CLOCK_MONOTONIC time in
// nanoseconds, taken just before it is sent, goes to standard output, one a line. "flood" sends the same moves
// as fast as the server takes them for SECONDS and prints only how many it sent and the time of the last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long long now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

timespec at(long long ns) { return timespec{time_t(ns / 1000000000LL), long(ns % 1000000000LL)}; }

// The n-th point of the bouncing path; every one differs from the one before, so every move is real motion.
void moveTo(Display* dpy, long n, int x0, int y0, int dx, int dy) {
    const long phase = n % 200;
    const int step = int(phase <= 100 ? phase : 200 - phase);
    XTestFakeMotionEvent(dpy, DefaultScreen(dpy), x0 + step * dx, y0 + step * dy, CurrentTime);
    XSync(dpy, False);
}

}  // namespace

int main(int argc, char** argv) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "xmotion: cannot open display\n");
        return 1;
    }
    const auto is = [&](const char* verb, int least, int most) {
        return argc >= least && argc <= most && !std::strcmp(argv[1], verb);
    };
    if (is("press", 5, 6)) {
        const bool shift = argc == 6 && !std::strcmp(argv[5], "shift");
        const KeyCode shiftKey = XKeysymToKeycode(dpy, XK_Shift_L);
        XTestFakeMotionEvent(dpy, DefaultScreen(dpy), std::atoi(argv[3]), std::atoi(argv[4]), CurrentTime);
        if (shift) XTestFakeKeyEvent(dpy, shiftKey, True, CurrentTime);
        XTestFakeButtonEvent(dpy, std::atoi(argv[2]), True, CurrentTime);
        if (shift) XTestFakeKeyEvent(dpy, shiftKey, False, CurrentTime);
    } else if (is("release", 3, 3)) {
        XTestFakeButtonEvent(dpy, std::atoi(argv[2]), False, CurrentTime);
    } else if (is("move", 6, 8)) {
        const long count = std::atol(argv[2]);
        const int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), dx = std::atoi(argv[5]);
        const double hz = argc >= 7 ? std::atof(argv[6]) : 0.0;
        const int dy = argc == 8 ? std::atoi(argv[7]) : 0;
        const long long start = now();
        for (long n = 1; n <= count; ++n) {
            if (hz > 0) {  // on a fixed schedule, so a late move does not delay the ones after it
                const timespec due = at(start + (long long)((n - 1) * 1e9 / hz));
                while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
                }
            }
            std::printf("%lld\n", now());
            moveTo(dpy, n, x0, y0, dx, dy);
        }
    } else if (is("flood", 6, 6)) {
        const long long end = now() + (long long)(std::atof(argv[2]) * 1e9);
        const int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), dx = std::atoi(argv[5]);
        long n = 0;
        long long last = 0;
        while ((last = now()) < end) moveTo(dpy, ++n, x0, y0, dx, 0);
        std::printf("%ld %lld\n", n, last);
    } else {
        std::fprintf(stderr, "usage: xmotion press BUTTON X Y [shift] | move COUNT X0 Y0 DX [HZ [DY]] | "
                             "flood SECONDS X0 Y0 DX | release BUTTON\n");
        return 2;
    }
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return 0;
}
