#include "swap_interval.h"

#if defined(_WIN32)
// WGL_EXT_swap_control. Written for a port to Windows; not built or tested here.
#include <windows.h>

void requestImmediateSwaps() {
    using SwapInterval = BOOL(WINAPI*)(int);
    if (auto set = reinterpret_cast<SwapInterval>(wglGetProcAddress("wglSwapIntervalEXT"))) set(0);
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

#include <cstring>

namespace {

// One name can begin another ("GLX_EXT_swap_control_tear"), so only a whole word of the list counts.
bool listed(const char* extensions, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* at = extensions; (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

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
