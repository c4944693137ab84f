// Pointer motion through XTest, for timing drags:
//   xmotion press BUTTON X Y | move COUNT X0 Y0 DX [HZ] | release BUTTON
// "move" sends COUNT absolute moves starting at (X0, Y0), stepping DX pixels along x and bouncing back after
// 100 steps; each request is synced so the server has taken it before the next is sent. Without HZ (or with 0)
// the moves go as fast as the server takes them, with HZ at that steady rate, like a mouse. Each move's
// CLOCK_MONOTONIC time in nanoseconds, taken just before it is sent, goes to standard output, one a line.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long long nanos(const timespec& ts) { return ts.tv_sec * 1000000000LL + ts.tv_nsec; }

timespec at(long long ns) { return timespec{time_t(ns / 1000000000LL), long(ns % 1000000000LL)}; }

}  // namespace

int main(int argc, char** argv) {
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "xmotion: cannot open display\n");
        return 1;
    }
    const int screen = DefaultScreen(dpy);
    if (argc == 5 && !std::strcmp(argv[1], "press")) {
        XTestFakeMotionEvent(dpy, screen, std::atoi(argv[3]), std::atoi(argv[4]), CurrentTime);
        XTestFakeButtonEvent(dpy, std::atoi(argv[2]), True, CurrentTime);
    } else if (argc == 3 && !std::strcmp(argv[1], "release")) {
        XTestFakeButtonEvent(dpy, std::atoi(argv[2]), False, CurrentTime);
    } else if ((argc == 6 || argc == 7) && !std::strcmp(argv[1], "move")) {
        const long count = std::atol(argv[2]);
        const int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), dx = std::atoi(argv[5]);
        const double hz = argc == 7 ? std::atof(argv[6]) : 0.0;
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long long start = nanos(now);
        for (long n = 1; n <= count; ++n) {
            if (hz > 0) {  // on a fixed schedule, so a late move does not delay the ones after it
                const timespec due = at(start + (long long)((n - 1) * 1e9 / hz));
                while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
                }
            }
            const long phase = n % 200;
            const long step = phase <= 100 ? phase : 200 - phase;
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n", nanos(now));
            XTestFakeMotionEvent(dpy, screen, x0 + int(step) * dx, y0, CurrentTime);
            XSync(dpy, False);
        }
    } else {
        std::fprintf(stderr, "usage: xmotion press BUTTON X Y | move COUNT X0 Y0 DX [HZ] | release BUTTON\n");
        return 2;
    }
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return 0;
}
