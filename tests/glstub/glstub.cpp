#include "glstub.h"
#include "recorder.h"

#include "gl.h"

#include <cmath>
#include <initializer_list>

namespace glstub {
namespace {

std::vector<Call> stream;
bool recording = true;
std::size_t counted = 0;
std::size_t nonFinite = 0;
int modifiers = 0;
int windowX = 0, windowY = 0;
Callbacks registered;
void (*observer)(std::string_view) = nullptr;

}  // namespace

Call* record(std::string_view fn, std::initializer_list<double> args) {
    if (observer) observer(fn);
    ++counted;
    if (!recording) return nullptr;
    Call c;
    c.fn = fn;
    for (double a : args) c.arg[c.argc++] = a;
    stream.push_back(c);
    return &stream.back();
}

namespace {

void checkFinite(std::initializer_list<double> args) {
    for (double a : args)
        if (!std::isfinite(a)) ++nonFinite;
}

}  // namespace

void reset() {
    stream.clear();
    counted = 0;
    nonFinite = 0;
    registered = Callbacks{};
    modifiers = 0;
    windowX = windowY = 0;
    resetWindowSystem();
    observer = nullptr;
}
const std::vector<Call>& calls() { return stream; }
void setRecording(bool on) { recording = on; }
std::size_t callCount() { return counted; }
std::size_t nonFiniteCount() { return nonFinite; }
void setModifiers(int mods) { modifiers = mods; }
void setWindowPosition(int x, int y) {
    windowX = x;
    windowY = y;
}
void setObserver(void (*fn)(std::string_view)) { observer = fn; }
const Callbacks& callbacks() { return registered; }

std::vector<Call> named(std::string_view fn, std::size_t from) {
    std::vector<Call> out;
    for (std::size_t i = from; i < stream.size(); ++i)
        if (stream[i].fn == fn) out.push_back(stream[i]);
    return out;
}

}  // namespace glstub

using glstub::record;

// ---- OpenGL ----
void glBegin(GLenum mode) { record("glBegin", {double(mode)}); }
void glEnd() { record("glEnd", {}); }
void glNormal3dv(const GLdouble* v) {
    glstub::checkFinite({v[0], v[1], v[2]});
    record("glNormal3dv", {v[0], v[1], v[2]});
}
void glVertex3dv(const GLdouble* v) {
    glstub::checkFinite({v[0], v[1], v[2]});
    record("glVertex3dv", {v[0], v[1], v[2]});
}
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    glstub::checkFinite({x, y, z});
    record("glVertex3d", {x, y, z});
}
void glClear(GLbitfield mask) { record("glClear", {double(mask)}); }
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* p) {
    record("glMaterialfv", {double(face), double(pname), p[0], p[1], p[2], p[3]});
}
void glLightfv(GLenum light, GLenum pname, const GLfloat* p) {
    record("glLightfv", {double(light), double(pname), p[0], p[1], p[2], p[3]});
}
void glLineWidth(GLfloat w) { record("glLineWidth", {w}); }
void glPushMatrix() { record("glPushMatrix", {}); }
void glPopMatrix() { record("glPopMatrix", {}); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) { record("glTranslated", {x, y, z}); }
void glMatrixMode(GLenum mode) { record("glMatrixMode", {double(mode)}); }
void glLoadIdentity() { record("glLoadIdentity", {}); }
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { record("glViewport", {double(x), double(y), double(w), double(h)}); }
void glEnable(GLenum cap) { record("glEnable", {double(cap)}); }

// ---- GLU ----
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    glstub::checkFinite({fovy, aspect, zNear, zFar});
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
               GLdouble uy, GLdouble uz) {
    glstub::checkFinite({ex, ey, ez, cx, cy, cz, ux, uy, uz});
    record("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
}

// ---- GLUT ----
void glutInitWindowSize(int w, int h) { record("glutInitWindowSize", {double(w), double(h)}); }
void glutInitWindowPosition(int x, int y) { record("glutInitWindowPosition", {double(x), double(y)}); }
void glutInit(int* argc, char** argv) {
    if (glstub::Call* c = record("glutInit", {double(*argc)})) {
        for (int i = 0; i < *argc; ++i) c->text += std::string(i ? " " : "") + argv[i];
    }
}
void glutInitDisplayMode(unsigned int mode) { record("glutInitDisplayMode", {double(mode)}); }
int glutCreateWindow(const char* title) {
    if (glstub::Call* c = record("glutCreateWindow", {})) c->text = title;
    return 1;
}
void glutDisplayFunc(void (*f)()) {
    glstub::registered.display = f;
    if (glstub::Call* c = record("glutDisplayFunc", {})) c->callback = reinterpret_cast<const void*>(f);
}
void glutReshapeFunc(void (*f)(int, int)) {
    glstub::registered.reshape = f;
    if (glstub::Call* c = record("glutReshapeFunc", {})) c->callback = reinterpret_cast<const void*>(f);
}
void glutMouseFunc(void (*f)(int, int, int, int)) {
    glstub::registered.mouse = f;
    if (glstub::Call* c = record("glutMouseFunc", {})) c->callback = reinterpret_cast<const void*>(f);
}
void glutMotionFunc(void (*f)(int, int)) {
    glstub::registered.motion = f;
    if (glstub::Call* c = record("glutMotionFunc", {})) c->callback = reinterpret_cast<const void*>(f);
}
void glutPositionFunc(void (*f)(int, int)) {
    glstub::registered.position = f;
    if (glstub::Call* c = record("glutPositionFunc", {})) c->callback = reinterpret_cast<const void*>(f);
}
void glutTimerFunc(unsigned int ms, void (*f)(int), int value) {
    glstub::registered.timer = f;
    if (glstub::Call* c = record("glutTimerFunc", {double(ms), double(value)}))
        c->callback = reinterpret_cast<const void*>(f);
}
void glutMainLoop() { record("glutMainLoop", {}); }
int glutGetModifiers() {
    record("glutGetModifiers", {});
    return glstub::modifiers;
}
// A stub screen has no size; the window is where setWindowPosition put it.
int glutGet(GLenum what) {
    record("glutGet", {double(what)});
    return what == GLUT_WINDOW_X ? glstub::windowX : what == GLUT_WINDOW_Y ? glstub::windowY : 0;
}
void glutPostRedisplay() { record("glutPostRedisplay", {}); }
void glutSwapBuffers() { record("glutSwapBuffers", {}); }
void glutWireCube(GLdouble size) { record("glutWireCube", {size}); }
