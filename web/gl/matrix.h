#pragma once
// What GL 1.1 and GLU define their matrix calls by, on the program's own Mat4 and Vec4: a new matrix multiplies onto
// the right of the current one (a * b: b applies first), and points are column vectors.
#include "mat4.h"

namespace webgl {

Mat4 identityMatrix();
// What gluPerspective multiplies on, computed as GLU computes it; false where GLU multiplies nothing (a zero depth
// range, a zero field of view or aspect).
bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, Mat4& out);
// What gluLookAt multiplies on first: GLU's rotation, worked out in single precision as GLU does. GLU then
// multiplies on the translation by the negated eye.
Mat4 lookAtRotation(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                    double upX, double upY, double upZ);
// The matrix that carries normals into eye space: the inverse transpose of m's upper-left 3 x 3 (GL 1.1, 2.10.3),
// in the upper-left 3 x 3 of the result. A singular m gives the identity there.
Mat4 normalMatrix(const Mat4& m);

}  // namespace webgl
