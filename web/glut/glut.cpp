// GLUT for the browser build: one window, the page's canvas, and the page's events handed to the program's callbacks
// as freeglut hands X11's. Frames that GLUT draws on its own (the window shown, a redisplay posted) come with the
// browser's next animation frame; frames the program draws from a motion event are drawn at once, as on X11.
#include <GL/glut.h>
#include "gl_context.h"
#include "page.h"
#include "wire_cube.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>


namespace webgl {

Pipeline& pipeline() {
    static Pipeline the;
    return the;
}

}  // namespace webgl

using webgl::pipeline;

namespace {

int windowWidth = 300, windowHeight = 300;  // GLUT's default size
void (*display)() = nullptr;
void (*reshape)(int, int) = nullptr;
void (*mouse)(int, int, int, int) = nullptr;
void (*motion)(int, int) = nullptr;
void (*moved)(int, int) = nullptr;
int windowX = 0, windowY = 0;  // where the canvas is in the browser's window
int modifiers = 0;        // of the event being handed on
int motionsWaiting = 0;   // moves of the page's batch still to come after the one being handed on
bool redisplayDue = false;

EM_BOOL drawRedisplay(double, void*) {
    redisplayDue = false;
    if (display) display();
    return EM_FALSE;  // once
}

// As GLUT answers a window of a new size: a reshape, or the viewport alone without one, and a redisplay.
void resized() {
    if (reshape) reshape(windowWidth, windowHeight);
    else glViewport(0, 0, windowWidth, windowHeight);
    glutPostRedisplay();
}

void windowShown(void*) {
    if (moved) moved(windowX, windowY);
    resized();
}

void submit(bool newFrame) {
    const webgl::Frame& frame = pipeline().frame();
    webSubmitFrame(reinterpret_cast<const int32_t*>(frame.commands.data()), int(frame.commands.size()),
                   reinterpret_cast<const float*>(frame.vertices.data()), int(frame.vertices.size()),
                   reinterpret_cast<const float*>(frame.states.data()), newFrame);
}

struct Timer {
    void (*callback)(int);
    int value;
};
Timer timers[8];  // pending ones; a slot is free again once its timer has fired

void timerDue(void* slot) {
    Timer& timer = *static_cast<Timer*>(slot);
    const Timer due = timer;
    timer.callback = nullptr;
    due.callback(due.value);
}

}  // namespace

void glutInitWindowSize(int width, int height) {
    if (width > 0 && height > 0) windowWidth = width, windowHeight = height;
}
void glutInitWindowPosition(int, int) {}  // the page places the canvas
void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int) {}  // always RGB, double-buffered, with depth

int glutCreateWindow(const char* title) {
    webCreateCanvas(&windowWidth, &windowHeight, title);  // the window shown first at the size the page fits
    pipeline().setPixelRatio(webPixelRatio());
    return 1;
}

void glutDisplayFunc(void (*callback)()) { display = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { reshape = callback; }
void glutMouseFunc(void (*callback)(int, int, int, int)) { mouse = callback; }
void glutMotionFunc(void (*callback)(int, int)) { motion = callback; }
void glutPositionFunc(void (*callback)(int, int)) { moved = callback; }

void glutTimerFunc(unsigned int milliseconds, void (*callback)(int), int value) {
    if (!callback) return;
    for (Timer& timer : timers)
        if (!timer.callback) {
            timer = {callback, value};
            emscripten_set_timeout(timerDue, milliseconds, &timer);
            return;
        }
}

// The browser runs the loop: glutMainLoop returns at once, and the window is shown as X11 shows a new one, with a
// reshape and a redisplay, once the page has the canvas on screen.
void glutMainLoop() { emscripten_set_timeout(windowShown, 0, nullptr); }

int glutGetModifiers() { return modifiers; }

int glutGet(GLenum what) {
    switch (what) {
    case GLUT_SCREEN_WIDTH: return windowWidth;
    case GLUT_SCREEN_HEIGHT: return windowHeight;
    case GLUT_WINDOW_X: return windowX;
    case GLUT_WINDOW_Y: return windowY;
    default: return 0;
    }
}

void glutPostRedisplay() {
    if (redisplayDue) return;  // GLUT draws a window once, however often it was asked
    redisplayDue = true;
    emscripten_request_animation_frame(drawRedisplay, nullptr);
}

void glutSwapBuffers() {
    submit(true);
    pipeline().presentFrame();
}

void glutWireCube(GLdouble size) { webgl::drawWireCube(pipeline(), size); }

int webMotionWaiting() { return motionsWaiting > 0; }

// The page's side of the events: called by library_page.js.
extern "C" {

EMSCRIPTEN_KEEPALIVE void webButton(int button, int state, int x, int y, int mods) {
    modifiers = mods;
    if (mouse) mouse(button, state, x, y);
    modifiers = 0;
}

// One move of a batch the browser merged into one event; waiting moves of the same batch come after it.
EMSCRIPTEN_KEEPALIVE void webMotion(int x, int y, int mods, int waiting) {
    modifiers = mods;
    motionsWaiting = waiting;
    if (motion) motion(x, y);
    motionsWaiting = 0;
    modifiers = 0;
}

// The page scrolled or its layout changed, and the canvas with it: as a window that moves on the screen.
EMSCRIPTEN_KEEPALIVE void webMoved(int x, int y) {
    windowX = x, windowY = y;
    if (moved) moved(x, y);
}

// The canvas has a new size or pixel ratio: as a window that is resized, it is reshaped and drawn.
EMSCRIPTEN_KEEPALIVE void webResized(int width, int height, double pixelRatio) {
    windowWidth = width, windowHeight = height;
    pipeline().setPixelRatio(pixelRatio);
    resized();
}

// WebGL lost the canvas's contents with its context: the last frame again, as it was.
EMSCRIPTEN_KEEPALIVE void webRedraw() { submit(false); }

}  // extern "C"
