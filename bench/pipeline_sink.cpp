// The geometry calls the sweep makes, to nothing or to the browser build's pipeline; in a translation unit of their
// own, as null_gl.cpp's, so that none is optimised away.
#include "pipeline_sink.h"

#include "gl.h"

webgl::Pipeline* pipelineSink = nullptr;

void glBegin(GLenum mode) {
    if (pipelineSink) pipelineSink->begin(mode);
}
void glEnd() {
    if (pipelineSink) pipelineSink->end();
}
void glNormal3dv(const GLdouble* v) {
    if (pipelineSink) pipelineSink->normal(v[0], v[1], v[2]);
}
void glVertex3dv(const GLdouble* v) {
    if (pipelineSink) pipelineSink->vertex(v[0], v[1], v[2]);
}
