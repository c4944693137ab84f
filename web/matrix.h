#pragma once
// GL's own matrices: 16 doubles in column-major order, as glLoadMatrixd takes them, acting on column vectors. Apart
// from the program's Mat4 (rows, for the camera's chain), these are what GL 1.1 and GLU define the calls by.
namespace webgl {

struct Point4 {
    double x, y, z, w;
};

struct Matrix {
    double m[16];  // element (row r, column c) is m[c * 4 + r]
    double at(int row, int column) const { return m[column * 4 + row]; }
};

Matrix identityMatrix();
// a * b: b applies first, as GL multiplies a new matrix onto the right of the current one.
Matrix operator*(const Matrix& a, const Matrix& b);
Point4 operator*(const Matrix& m, const Point4& p);

// What glTranslated multiplies onto the current matrix.
Matrix translationMatrix(double x, double y, double z);
// What gluPerspective multiplies on, computed as GLU computes it; false where GLU multiplies nothing (a zero depth
// range, a zero field of view or aspect).
bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, Matrix& out);
// What gluLookAt multiplies on first: GLU's rotation, worked out in single precision as GLU does. GLU then
// multiplies on the translation by the negated eye.
Matrix lookAtRotation(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                    double upX, double upY, double upZ);
// The matrix that carries normals into eye space: the inverse transpose of m's upper-left 3 x 3 (GL 1.1, 2.10.3),
// in the upper-left 3 x 3 of the result. A singular m gives the identity there.
Matrix normalMatrix(const Matrix& m);

}  // namespace webgl
