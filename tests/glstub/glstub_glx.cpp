// GLX of the current context: its display, drawable and extensions, and the two swap-interval entry points.
#include "recorder.h"

#include "gl.h"

#include <GL/glx.h>

#include <cstring>
#include <string>
#include <type_traits>

using glstub::record;

namespace glstub {
namespace {

std::string glxExtensions;
std::remove_pointer_t<_XPrivDisplay> fakeDisplay{};  // what Xlib's macros read: screen 0 is the default

Display* currentDisplay() { return reinterpret_cast<Display*>(&fakeDisplay); }

void noteDisplay(Call* c, Display* dpy) {
    if (c) c->text = dpy == currentDisplay() ? "current display" : "other display";
}

void swapIntervalEXT(Display* dpy, GLXDrawable drawable, int interval) {
    noteDisplay(record("glXSwapIntervalEXT", {double(drawable), double(interval)}), dpy);
}
int swapIntervalMESA(unsigned int interval) {
    record("glXSwapIntervalMESA", {double(interval)});
    return 0;
}

}  // namespace

void resetWindowSystem() {
    glxExtensions.clear();
    resetXlib();
}
void setGlxExtensions(const char* extensions) { glxExtensions = extensions; }

}  // namespace glstub

Display* glXGetCurrentDisplay() {
    record("glXGetCurrentDisplay", {});
    return glstub::currentDisplay();
}
GLXDrawable glXGetCurrentDrawable() {
    record("glXGetCurrentDrawable", {});
    return glstub::GLX_DRAWABLE;
}
const char* glXQueryExtensionsString(Display* dpy, int screen) {
    glstub::noteDisplay(record("glXQueryExtensionsString", {double(screen)}), dpy);
    return glstub::glxExtensions.c_str();
}
__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    const char* text = reinterpret_cast<const char*>(name);
    if (glstub::Call* c = record("glXGetProcAddressARB", {})) c->text = text;
    // Like libGL, which hands out a dispatch stub for any glX name, listed or not.
    if (!std::strcmp(text, "glXSwapIntervalEXT")) return reinterpret_cast<__GLXextFuncPtr>(glstub::swapIntervalEXT);
    if (!std::strcmp(text, "glXSwapIntervalMESA")) return reinterpret_cast<__GLXextFuncPtr>(glstub::swapIntervalMESA);
    return nullptr;
}
