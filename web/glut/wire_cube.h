#pragma once
#include "pipeline.h"

namespace webgl {

// What freeglut's glutWireCube sends: each face of the cube of edge `size` around the origin a line loop, with the
// face's normal for its vertices. freeglut sends them from arrays, which leave GL's current normal as it was, so
// the normal is put back afterwards.
void drawWireCube(Pipeline& pipeline, double size);

}  // namespace webgl
