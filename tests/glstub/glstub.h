#pragma once
// Test double for libGL, libGLU and libglut: every entry point the program calls is defined here
// with C linkage and appends one Call to an in-memory stream, so tests can assert the exact calls.
// Nothing else is defined: a call the stub lacks (another callback, say) fails the unit tests' link.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glstub {

struct Call {
    std::string_view fn;            // entry point name, e.g. "glVertex3dv"
    int argc = 0;                   // numeric arguments in `arg`
    std::array<double, 10> arg{};   // every numeric argument (enums, ints, floats, doubles) as a double
    std::string text;               // string argument (window title, proc name, atom, property data as bytes);
                                    // for a GLX call, which display
    const void* callback = nullptr; // function registered with a glut*Func call
};

void reset();                        // clears the stream, the registered callbacks and the counters
const std::vector<Call>& calls();
void setRecording(bool on);          // off: calls are only counted, nothing allocates
std::size_t callCount();             // calls since reset(), recorded or not
std::size_t nonFiniteCount();        // NaN/inf arguments seen by gluLookAt, gluPerspective, glVertex*, glNormal*

// Called with the entry point's name before each call is recorded or counted, so a test can check
// program state at that moment; reset() removes it.
void setObserver(void (*observer)(std::string_view fn));

// Input the program reads back from GLUT: the modifier keys, and the window's place on the screen.
void setModifiers(int mods);
void setWindowPosition(int x, int y);

// GLX of the current context, on X11: the extensions it lists (none after reset()) and the window's drawable.
void setGlxExtensions(const char* extensions);
constexpr unsigned long GLX_DRAWABLE = 0x2a00001;
// WGL of the current context, on Windows: the extensions it lists (none after reset()).
void setWglExtensions(const char* extensions);

// Xlib: the stub's number for an interned atom, and the values of a 32-bit property that XChangeProperty recorded.
unsigned long atom(std::string_view name);
std::vector<unsigned long> cardinals(const Call& c);

// X11 only: events waiting in Xlib's queue, which the program may look at but never takes; none after reset().
// A core event: type and window as in an XEvent, and a motion's state. An XInput 2 device event: its type
// (XI_Motion, ...), the window it is for and the first word of its button mask (bit n for button n).
void queueXEvent(int type, unsigned long window, unsigned int state);
void queueXInputEvent(int evtype, unsigned long window, unsigned int buttons);
void takeXEvent();  // what GLUT's loop does before it hands an event on
// In a browser: how many moves of the batch being handed on wait behind the current one; none after reset().
void setMovesWaiting(int moves);
// A drag motion of the window with `button` held waits next, in the form the window system keeps it in (XInput 2's
// on X11, a merged move in a browser); false where nothing ever waits, as on Windows, which merges motion itself.
bool queueDragMotion(int button);

// Callbacks registered through the stub, so a test can play the event loop.
struct Callbacks {
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*motion)(int, int) = nullptr;
    void (*position)(int, int) = nullptr;
    void (*timer)(int) = nullptr;
};
const Callbacks& callbacks();

// Calls recorded from index `from` on whose name is `fn`.
std::vector<Call> named(std::string_view fn, std::size_t from = 0);

}  // namespace glstub
