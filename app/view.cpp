#include "isosurface.h"
#include "orbit_camera.h"
#include "viewer.h"

#include "gl.h"

#include <algorithm>
#include <cstdint>

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, materialDiffuse);
    glLineWidth(3.0f);  // never reset, so the wire cube is as wide as the outline

    // A 4 x 4 square in the plane z = 0, around the cube: a fixed frame that shows every orbit, pan and zoom while
    // the blobs change shape (the end-to-end tests measure the view by it). It gets no normal of its own, so it is
    // lit with the last one the previous frame's surface sent.
    glBegin(GL_LINE_LOOP);
    glVertex3d(2.0, 2.0, 0.0);
    glVertex3d(2.0, -2.0, 0.0);
    glVertex3d(-2.0, -2.0, 0.0);
    glVertex3d(-2.0, 2.0, 0.0);
    glEnd();

    glPushMatrix();
    glTranslated(-0.5, -0.5, -0.5);
    drawIsosurface();
    glTranslated(0.5, 0.5, 0.5);
    glutWireCube(1.0);
    glPopMatrix();

    glutSwapBuffers();
}

// The view lives on the projection matrix, so the modelview stays the identity and the
// lights keep their world positions.
void setupView() {
    // A minimised window reports 0 pixels; one pixel keeps the aspect finite and non-zero
    // for gluPerspective, which divides by it.
    const double aspect = double(std::max(windowWidth, 1)) / double(std::max(windowHeight, 1));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, aspect, 1.0, 100.0);
    const Vec3 eye = camera.eye(), center = camera.getCenter(), up = camera.up();
    gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, up.x, up.y, up.z);
    glMatrixMode(GL_MODELVIEW);
}

void reshape(int width, int height) {
    // The stored pointer is counted from the bottom edge, which a new height moves: keep it where it is on
    // the screen, so that a drag measures only the pointer's own movement.
    lastMouseY += double(int64_t(height) - windowHeight);
    windowWidth = width;
    windowHeight = height;
    glViewport(0, 0, width, height);
    setupView();
    glLoadIdentity();
}

// The stored pointer is counted from the window's corner, which a move carries along: keep it where it is on the
// screen, as reshape does for a new height. The window's own position is asked for rather than taken from the
// callback: behind a window manager that reparents, GLUT reports it in the frame's coordinates after a resize and
// in the screen's after a move.
void windowMoved(int, int) {
    const int32_t x = glutGet(GLUT_WINDOW_X), y = glutGet(GLUT_WINDOW_Y);
    if (windowPlaced) {
        lastMouseX -= double(int64_t(x) - windowX);
        lastMouseY += double(int64_t(y) - windowY);
    }
    windowPlaced = true;
    windowX = x;
    windowY = y;
}
