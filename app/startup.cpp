#include "density_grid.h"
#include "event_queue.h"
#include "orbit_camera.h"
#include "swap_interval.h"
#include "viewer.h"
#include "window_geometry.h"
#include "window_identity.h"

#include "gl.h"

#include <cstdio>

void initGraphics() {
    glViewport(0, 0, windowWidth, windowHeight);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, materialAmbient);
    // No matrix call has happened yet: the positions are taken under the identity modelview.
    const GLenum lights[3] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2};
    for (int n = 0; n < 3; ++n) glLightfv(lights[n], GL_POSITION, lightPosition[n]);
    for (int n = 0; n < 3; ++n) glLightfv(lights[n], GL_DIFFUSE, lightDiffuse[n]);
    camera.reset(Vec3(0.0, 0.0, 0.0));
    dragMode = DRAG_NONE;
}

int runViewer(int argc, char** argv) {
    fillDensityGrid();  // the window opens only once the field is ready
    glutInitWindowSize(windowWidth, windowHeight);
    const GeometryOption geometry = readGeometryOption(argc, argv);  // glutInit takes the option out of argv
    glutInit(&argc, argv);
    restoreWindowRequest(geometry);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);
    requestImmediateSwaps();  // its context is current now, and no frame has been drawn yet
    identifyWindow();
    watchEventQueue();
    glutDisplayFunc(display);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMotion);
    glutPositionFuncIfAvailable(windowMoved);
    glutTimerFunc(20, timerTick, 0);
    initGraphics();
    glutReshapeFunc(reshape);  // last, once the GL state is in place
    std::printf("metaball demo\nby wex and tamrel\n\nshift-click to move camera\nclick-drag to animate");
    std::fflush(stdout);  // no trailing line feed, yet the last line must show before the loop
    glutMainLoop();
    return 0;
}
