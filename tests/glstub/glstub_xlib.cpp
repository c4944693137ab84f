// Xlib, where X11 is the window system: the atoms and properties that tell the desktop whose window it is.
#include "recorder.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <string>
#include <vector>

using glstub::record;

namespace glstub {
namespace {

// Like a server's, an atom once interned keeps its number for the whole run; they start past the predefined ones.
std::vector<std::string> interned;
constexpr unsigned long FIRST_ATOM = 0x100;

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
