// A GL sink that does nothing; kept out of the benchmark's translation unit so no call can be optimised away.
#include "gl.h"

void glBegin(GLenum) {}
void glEnd() {}
void glNormal3dv(const GLdouble*) {}
void glVertex3dv(const GLdouble*) {}
