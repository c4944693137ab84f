// Floods the X server with pointer motion through XTest, for timing drags:
//   xmotion press BUTTON X Y | move COUNT X0 Y0 DX | release BUTTON
// "move" sends COUNT absolute moves starting at (X0, Y0), stepping DX pixels along x and bouncing back after
// 100 steps; each request is synced so the server has taken it before the next is sent.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    } else if (argc == 6 && !std::strcmp(argv[1], "move")) {
        const long count = std::atol(argv[2]);
        const int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]), dx = std::atoi(argv[5]);
        for (long n = 1; n <= count; ++n) {
            const long phase = n % 200;
            const long step = phase <= 100 ? phase : 200 - phase;
            XTestFakeMotionEvent(dpy, screen, x0 + int(step) * dx, y0, CurrentTime);
            XSync(dpy, False);
        }
    } else {
        std::fprintf(stderr, "usage: xmotion press BUTTON X Y | move COUNT X0 Y0 DX | release BUTTON\n");
        return 2;
    }
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return 0;
}
