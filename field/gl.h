#pragma once
// GL, GLU and GLUT under the names each platform gives them. Everything that calls them includes this file.
#if defined(_WIN32)
// GDI's, WGL's and GL's entry points declared as plain functions, not as DLL imports: the import libraries hold a
// plain entry for each, and the unit tests' stub defines them in their place.
#ifndef _GDI32_
#define _GDI32_
#endif
#ifndef NOMINMAX
#define NOMINMAX  // or windows.h defines min and max as macros, and std::min and std::max no longer compile
#endif
#include <windows.h>  // the Windows GL headers use its calling-convention macros without including it
// Relics of 16-bit pointers that windows.h defines as empty macros; they would swallow variables of those names.
#undef near
#undef far
#endif
#if defined(__APPLE__)
#ifndef GL_SILENCE_DEPRECATION
#define GL_SILENCE_DEPRECATION  // Apple marks every GL entry point deprecated
#endif
#include <GLUT/glut.h>
#include <OpenGL/gl.h>
#include <OpenGL/glu.h>
#else
// In the browser build these are web/gl's and web/glut's, which come first on its include path.
#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>
#if __has_include(<GL/freeglut_ext.h>)
#include <GL/freeglut_ext.h>  // freeglut's own entry points beside GLUT's
#endif
#endif

// Window moves reach the program through glutPositionFunc, which freeglut has from version 3 on (the version that
// brought GLUT_SKIP_STALE_MOTION_EVENTS), and the browser's GLUT for a canvas that the page scrolls; with another
// GLUT the program hears of none.
inline void glutPositionFuncIfAvailable(void (*callback)(int, int)) {
#if defined(GLUT_SKIP_STALE_MOTION_EVENTS) || defined(__EMSCRIPTEN__)
    glutPositionFunc(callback);
#else
    (void)callback;
#endif
}
