// GL 1.1's and GLU's entry points for the browser build: each one GL's definition, carried out by the pipeline.
#include <GL/gl.h>
#include <GL/glu.h>
#include "gl_context.h"

using webgl::pipeline;

void glBegin(GLenum mode) { pipeline().begin(mode); }
void glEnd() { pipeline().end(); }
void glNormal3dv(const GLdouble* v) { pipeline().normal(v[0], v[1], v[2]); }
void glVertex3dv(const GLdouble* v) { pipeline().vertex(v[0], v[1], v[2]); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { pipeline().vertex(x, y, z); }
void glClear(GLbitfield mask) { pipeline().clear(mask); }
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) { pipeline().material(face, pname, params); }
void glLightfv(GLenum light, GLenum pname, const GLfloat* params) { pipeline().light(light, pname, params); }
void glLineWidth(GLfloat width) { pipeline().lineWidth(width); }
void glPushMatrix() { pipeline().pushMatrix(); }
void glPopMatrix() { pipeline().popMatrix(); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) { pipeline().multiply(translation(Vec3(x, y, z))); }
void glMatrixMode(GLenum mode) { pipeline().matrixMode(mode); }
void glLoadIdentity() { pipeline().loadIdentity(); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { pipeline().viewport(x, y, width, height); }
void glEnable(GLenum cap) { pipeline().enable(cap, true); }

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    Mat4 m;
    if (webgl::perspectiveMatrix(fovy, aspect, zNear, zFar, m)) pipeline().multiply(m);
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ) {
    pipeline().multiply(webgl::lookAtRotation(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
    pipeline().multiply(translation(Vec3(-eyeX, -eyeY, -eyeZ)));
}
