// WGL of the current context: its device context and extensions, and the entry points wglGetProcAddress hands out.
#include "recorder.h"

#include "gl.h"

#include <cstring>
#include <string>

using glstub::record;

namespace glstub {
namespace {

std::string wglExtensions;
int fakeDeviceContext = 0;  // only its address matters

HDC currentDC() { return reinterpret_cast<HDC>(&fakeDeviceContext); }

const char* WINAPI extensionsStringARB(HDC dc) {
    if (Call* c = record("wglGetExtensionsStringARB", {}))
        c->text = dc == currentDC() ? "current device context" : "other device context";
    return wglExtensions.c_str();
}
BOOL WINAPI swapIntervalEXT(int interval) {
    record("wglSwapIntervalEXT", {double(interval)});
    return TRUE;
}

}  // namespace

void resetWindowSystem() { wglExtensions.clear(); }
void setWglExtensions(const char* extensions) { wglExtensions = extensions; }
bool queueDragMotion(int) { return false; }

}  // namespace glstub

HDC WINAPI wglGetCurrentDC() {
    record("wglGetCurrentDC", {});
    return glstub::currentDC();
}
// Like opengl32, which hands out any entry point the driver has, listed in its extensions or not.
PROC WINAPI wglGetProcAddress(LPCSTR name) {
    if (glstub::Call* c = record("wglGetProcAddress", {})) c->text = name;
    if (!std::strcmp(name, "wglGetExtensionsStringARB"))
        return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(glstub::extensionsStringARB));
    if (!std::strcmp(name, "wglSwapIntervalEXT"))
        return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(glstub::swapIntervalEXT));
    return nullptr;
}
