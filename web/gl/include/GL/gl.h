#pragma once
// The part of GL 1.1 that the viewer calls, as the browser build provides it on WebGL (gl_entry_points.cpp): the
// names, types and values of GL's own header, and nothing more, so that a call the layer does not implement fails
// to compile instead of doing nothing. It stands in for the system's GL/gl.h, ahead of it on the include path.
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

#ifdef __cplusplus
}
#endif
