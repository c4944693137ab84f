#include "swap_interval.h"

#include <cstring>

namespace {

// One name can begin another ("GLX_EXT_swap_control_tear"), so only a whole word of the list counts.
[[maybe_unused]] bool listed(const char* extensions, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* at = extensions; (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

}  // namespace

#if defined(__EMSCRIPTEN__)
// The browser shows the canvas with its own next frame and never holds the program back until then: nothing to ask.
void requestImmediateSwaps() {}

#elif defined(_WIN32)
// WGL_EXT_swap_control, listed among the WGL extensions of the current device context.
#include "gl.h"

namespace {

// Through void (*)(), which any function pointer type may be cast to without a warning: PROC has no arguments.
template <typename F>
F entryPoint(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

}  // namespace

void requestImmediateSwaps() {
    const HDC dc = wglGetCurrentDC();
    if (!dc) return;  // no current context: nothing to ask about
    const auto extensionsOf = entryPoint<const char*(WINAPI*)(HDC)>("wglGetExtensionsStringARB");
    const char* extensions = extensionsOf ? extensionsOf(dc) : nullptr;
    if (!extensions || !listed(extensions, "WGL_EXT_swap_control")) return;
    if (auto set = entryPoint<BOOL(WINAPI*)(int)>("wglSwapIntervalEXT")) set(0);
}

#elif defined(__APPLE__)
// CGL's swap interval. Written for a port to macOS; not built or tested here.
#include <OpenGL/OpenGL.h>

void requestImmediateSwaps() {
    const GLint interval = 0;
    if (CGLContextObj context = CGLGetCurrentContext()) CGLSetParameter(context, kCGLCPSwapInterval, &interval);
}

#else
#include <GL/glx.h>

namespace {

template <typename F>
F entryPoint(const char* name) {
    return reinterpret_cast<F>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

void requestImmediateSwaps() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return;  // no current context: nothing to ask about
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (!extensions) return;
    // The EXT form names the drawable; the MESA form acts on the current one.
    if (listed(extensions, "GLX_EXT_swap_control")) {
        if (auto set = entryPoint<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT")) set(display, drawable, 0);
    } else if (listed(extensions, "GLX_MESA_swap_control")) {
        if (auto set = entryPoint<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA")) set(0);
    }
}
#endif
