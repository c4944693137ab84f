#pragma once
// The part of GL 1.1, GLU and GLUT that the viewer calls, as the browser build provides it (gl_entry_points.cpp and
// glut.cpp, on WebGL and the page's events): the names, types and values of GL's own headers, and nothing more, so
// that a call the layer does not implement fails to compile instead of doing nothing.
#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int GLenum;
typedef unsigned int GLbitfield;
typedef int GLint;
typedef int GLsizei;
typedef float GLfloat;
typedef double GLdouble;

#define GL_LINE_LOOP 0x0002
#define GL_TRIANGLES 0x0004
#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_COLOR_BUFFER_BIT 0x00004000
#define GL_FRONT_AND_BACK 0x0408
#define GL_LIGHTING 0x0B50
#define GL_DEPTH_TEST 0x0B71
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_POSITION 0x1203
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_LIGHT0 0x4000
#define GL_LIGHT1 0x4001
#define GL_LIGHT2 0x4002

void glBegin(GLenum mode);
void glEnd(void);
void glNormal3dv(const GLdouble* v);
void glVertex3dv(const GLdouble* v);
void glVertex3d(GLdouble x, GLdouble y, GLdouble z);
void glClear(GLbitfield mask);
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params);
void glLightfv(GLenum light, GLenum pname, const GLfloat* params);
void glLineWidth(GLfloat width);
void glPushMatrix(void);
void glPopMatrix(void);
void glTranslated(GLdouble x, GLdouble y, GLdouble z);
void glMatrixMode(GLenum mode);
void glLoadIdentity(void);
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void glEnable(GLenum cap);

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ);

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
