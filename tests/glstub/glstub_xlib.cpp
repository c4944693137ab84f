// Xlib, where X11 is the window system: the atoms and properties that tell the desktop whose window it is, and the
// queue of events that the program looks at, core events and XInput 2 ones (generic events whose data Xlib hands
// out on request).
#include "recorder.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

using glstub::record;

namespace glstub {
namespace {

// Like a server's, an atom once interned keeps its number for the whole run; they start past the predefined ones.
std::vector<std::string> interned;
constexpr unsigned long FIRST_ATOM = 0x100;

constexpr int XINPUT_OPCODE = 131;

struct Waiting {
    XEvent event;
    XIDeviceEvent data;
    unsigned char buttons[4];
};
std::deque<Waiting> queued;  // a deque keeps each event where it is, and so its data's button mask
unsigned int cookies = 0;

}  // namespace

unsigned long atom(std::string_view name) {
    for (std::size_t n = 0; n < interned.size(); ++n)
        if (interned[n] == name) return FIRST_ATOM + n;
    interned.emplace_back(name);
    return FIRST_ATOM + interned.size() - 1;
}

std::vector<unsigned long> cardinals(const Call& c) {
    std::vector<unsigned long> values(c.text.size() / sizeof(unsigned long));
    std::memcpy(values.data(), c.text.data(), values.size() * sizeof(unsigned long));
    return values;
}

void resetXlib() { queued.clear(); }

void queueXEvent(int type, unsigned long window, unsigned int state) {
    Waiting& w = queued.emplace_back();
    w = Waiting{};
    w.event.type = type;
    w.event.xany.window = window;
    if (type == MotionNotify) w.event.xmotion.state = state;
}

void queueXInputEvent(int evtype, unsigned long window, unsigned int buttons) {
    Waiting& w = queued.emplace_back();
    w = Waiting{};
    w.event.xcookie.type = w.data.type = GenericEvent;
    w.event.xcookie.extension = w.data.extension = XINPUT_OPCODE;
    w.event.xcookie.evtype = w.data.evtype = evtype;
    w.event.xcookie.cookie = ++cookies;
    w.data.event = window;
    std::memcpy(w.buttons, &buttons, sizeof w.buttons);
    w.data.buttons = XIButtonState{int(sizeof w.buttons), w.buttons};
}

bool queueDragMotion(int button) {
    queueXInputEvent(XI_Motion, GLX_DRAWABLE, 1u << (button + 1));
    return true;
}

void takeXEvent() {
    if (!queued.empty()) queued.pop_front();
}

}  // namespace glstub

Atom XInternAtom(Display*, const char* name, Bool onlyIfExists) {
    if (glstub::Call* c = record("XInternAtom", {double(onlyIfExists)})) c->text = name;
    return glstub::atom(name);
}
// Xlib hands 32-bit data over as longs; the bytes go into the call's text as they came.
int XChangeProperty(Display*, Window window, Atom property, Atom type, int format, int mode, const unsigned char* data,
                    int count) {
    glstub::Call* c = record("XChangeProperty", {double(window), double(property), double(type), double(format),
                                                 double(mode), double(count)});
    const std::size_t unit = format == 32 ? sizeof(long) : std::size_t(format / 8);
    if (c) c->text.assign(reinterpret_cast<const char*>(data), unit * std::size_t(count));
    return 1;
}
int XSetClassHint(Display*, Window window, XClassHint* hint) {
    if (glstub::Call* c = record("XSetClassHint", {double(window)}))
        c->text = std::string(hint->res_name) + " " + hint->res_class;
    return 1;
}

Bool XQueryExtension(Display*, const char* name, int* opcode, int* firstEvent, int* firstError) {
    if (glstub::Call* c = record("XQueryExtension", {})) c->text = name;
    if (std::strcmp(name, "XInputExtension") != 0) return False;
    *opcode = glstub::XINPUT_OPCODE;
    *firstEvent = *firstError = 0;
    return True;
}

// Looking at the queue draws nothing, so none of these joins the stream.
int XEventsQueued(Display*, int) { return int(glstub::queued.size()); }
int XPeekEvent(Display*, XEvent* event) {
    // Xlib would block on an empty queue until an event came; here none ever would.
    if (glstub::queued.empty()) std::abort();
    *event = glstub::queued.front().event;
    return 1;
}
Bool XGetEventData(Display*, XGenericEventCookie* cookie) {
    for (glstub::Waiting& w : glstub::queued)
        if (w.event.type == GenericEvent && w.event.xcookie.cookie == cookie->cookie) {
            cookie->data = &w.data;
            return True;
        }
    return False;
}
void XFreeEventData(Display*, XGenericEventCookie* cookie) { cookie->data = nullptr; }
