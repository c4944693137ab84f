#include "window_identity.h"

#if defined(__EMSCRIPTEN__)
// The page carries the icon, and the browser names the tab by the document's title: nothing to set.
void identifyWindow() {}

#elif defined(_WIN32)
// The taskbar matches a window to its shortcut by the executable and takes the icon from the executable's own
// resources: there is nothing to set on the window.
void identifyWindow() {}

#elif defined(__APPLE__)
// The Dock knows an application by its bundle, and the bundle carries the icon: there is nothing to set on the window.
void identifyWindow() {}

#else
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <iterator>

namespace {

// _NET_WM_ICON at 32x32 and 64x64: for each, its width and height, then its pixels as ARGB. Xlib takes 32-bit
// property data as longs, whatever their width.
const unsigned long WINDOW_ICON[] = {
#include "icons/window_icon.inc"
};

void setCardinals(Display* display, Window window, const char* property, const unsigned long* values, int count) {
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), count);
}

}  // namespace

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    // freeglut makes the X window itself the drawable of its context.
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;
    char instance[] = "metaballs", windowClass[] = "Metaballs";
    XClassHint hint{instance, windowClass};
    XSetClassHint(display, window, &hint);
    const unsigned long pid = static_cast<unsigned long>(getpid());
    setCardinals(display, window, "_NET_WM_PID", &pid, 1);
    setCardinals(display, window, "_NET_WM_ICON", WINDOW_ICON, int(std::size(WINDOW_ICON)));
}
#endif
