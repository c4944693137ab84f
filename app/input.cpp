#include "orbit_camera.h"
#include "vec.h"
#include "viewer.h"

#include "gl.h"

namespace {
bool isMouseButton(int button) {
    return button == GLUT_LEFT_BUTTON || button == GLUT_MIDDLE_BUTTON || button == GLUT_RIGHT_BUTTON;
}
}  // namespace

void mouseButton(int button, int state, int x, int y) {
    if (state == GLUT_DOWN) {
        lastMouseX = x;
        lastMouseY = windowHeight - y;
        // Shift alone: Shift with Ctrl or Alt picks no mode.
        if (glutGetModifiers() == GLUT_ACTIVE_SHIFT) {
            if (button == GLUT_LEFT_BUTTON) dragMode = DRAG_ROTATE;
            else if (button == GLUT_MIDDLE_BUTTON) dragMode = DRAG_PAN;
            else if (button == GLUT_RIGHT_BUTTON) dragMode = DRAG_ZOOM;
        }
    } else if (state == GLUT_UP && isMouseButton(button)) {
        dragMode = DRAG_NONE;
    }
    glutPostRedisplay();
}

// Every drag event draws a frame at once, camera mode or not: dragging is what animates.
void mouseMotion(int x, int y) {
    const double yUp = windowHeight - y;
    const Vec2 delta(lastMouseX - x, lastMouseY - yUp);
    lastMouseX = x;
    lastMouseY = yUp;
    if (dragMode == DRAG_ROTATE) camera.rotate(delta.x, delta.y);
    else if (dragMode == DRAG_PAN) camera.pan(delta.x, delta.y);
    else if (dragMode == DRAG_ZOOM) camera.zoom(delta.x);
    setupView();
    display();
}

void timerTick(int) {}
