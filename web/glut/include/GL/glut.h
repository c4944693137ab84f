#pragma once
// The part of GLUT that the viewer calls, as the page provides it (glut.cpp and library_page.js): GLUT's
// names and values, and nothing more. It stands in for the system's GL/glut.h, ahead of it on the include path.
#include <GL/gl.h>

#ifdef __cplusplus
extern "C" {
#endif

#define GLUT_RGB 0
#define GLUT_DOUBLE 2
#define GLUT_DEPTH 16
#define GLUT_LEFT_BUTTON 0
#define GLUT_MIDDLE_BUTTON 1
#define GLUT_RIGHT_BUTTON 2
#define GLUT_DOWN 0
#define GLUT_UP 1
#define GLUT_ACTIVE_SHIFT 1
#define GLUT_ACTIVE_CTRL 2
#define GLUT_ACTIVE_ALT 4
#define GLUT_WINDOW_X 100
#define GLUT_WINDOW_Y 101
#define GLUT_SCREEN_WIDTH 200
#define GLUT_SCREEN_HEIGHT 201

void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
int glutCreateWindow(const char* title);
void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
void glutMotionFunc(void (*callback)(int x, int y));
void glutPositionFunc(void (*callback)(int x, int y));
void glutTimerFunc(unsigned int milliseconds, void (*callback)(int value), int value);
void glutMainLoop(void);
int glutGetModifiers(void);
int glutGet(GLenum what);
void glutPostRedisplay(void);
void glutSwapBuffers(void);
void glutWireCube(GLdouble size);

// The page's pointer moves come in batches (see glut.cpp); whether more of the batch being handed to the motion
// callback wait behind the current one.
int webMotionWaiting(void);

#ifdef __cplusplus
}
#endif
