#include "event_queue.h"

#if defined(__EMSCRIPTEN__)
// The browser merges the pointer's moves into one event per displayed frame and keeps the moves it merged; the page
// hands them on one by one, and says while more of the batch wait behind the one being handed on.
#include "gl.h"

void watchEventQueue() {}
bool motionEventWaiting() { return webMotionWaiting() != 0; }

#elif defined(_WIN32) || defined(__APPLE__)
// Windows and macOS coalesce pointer motion themselves: a window is told where the pointer is now, once, however
// often it moved while the window was busy drawing. Nothing is ever queued behind a motion event there.
void watchEventQueue() {}
bool motionEventWaiting() { return false; }

#else
// X11 delivers every motion event, and freeglut merges none: a mouse that reports 1,000 times a second against
// frames that take longer than a millisecond would pile them up in Xlib's queue without end.
#include <GL/glx.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <cstring>

namespace {

// GLUT's own connection, and its window, which freeglut makes the drawable of the window's context.
Display* display = nullptr;
GLXDrawable window = 0;
int xinputOpcode = -1;  // what XInput's events carry as their extension, where the server has XInput

// freeglut calls the motion callback only while one of these is held; other motion goes nowhere.
constexpr unsigned int BUTTONS = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;

// freeglut turns an XInput 2 motion into a core one whose state is the first word of the button mask moved up by
// 8 bits, and that state is what it tests.
bool reachesMotionCallback(const XIDeviceEvent& motion) {
    unsigned int buttons = 0;
    std::memcpy(&buttons, motion.buttons.mask, std::min<std::size_t>(std::max(motion.buttons.mask_len, 0), sizeof buttons));
    return motion.event == window && ((buttons << 8) & BUTTONS) != 0;
}

}  // namespace

void watchEventQueue() {
    display = glXGetCurrentDisplay();
    window = glXGetCurrentDrawable();
    int firstEvent, firstError;
    if (display && !XQueryExtension(display, "XInputExtension", &xinputOpcode, &firstEvent, &firstError))
        xinputOpcode = -1;
}

bool motionEventWaiting() {
    // QueuedAfterReading takes in what has already reached the connection, without blocking; XPeekEvent then
    // copies the head of a queue known not to be empty, so it does not block either.
    if (!display || XEventsQueued(display, QueuedAfterReading) == 0) return false;
    XEvent next;
    XPeekEvent(display, &next);
    if (next.type == MotionNotify) return next.xmotion.window == window && (next.xmotion.state & BUTTONS) != 0;
    // A freeglut built with XInput 2 asks for the pointer in that form, and the server then sends no core motion.
    XGenericEventCookie& cookie = next.xcookie;
    if (cookie.type != GenericEvent || cookie.extension != xinputOpcode || cookie.evtype != XI_Motion) return false;
    // The copy that XPeekEvent made of the event's data; Xlib frees it with the next event even if never claimed.
    if (!XGetEventData(display, &cookie)) return false;
    const bool motion = reachesMotionCallback(*static_cast<const XIDeviceEvent*>(cookie.data));
    XFreeEventData(display, &cookie);
    return motion;
}
#endif
