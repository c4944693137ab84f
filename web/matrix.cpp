#include "matrix.h"

#include <cmath>

namespace webgl {

Matrix identityMatrix() { return Matrix{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix c;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            c.m[column * 4 + row] = a.at(row, 0) * b.at(0, column) + a.at(row, 1) * b.at(1, column) +
                                    a.at(row, 2) * b.at(2, column) + a.at(row, 3) * b.at(3, column);
    return c;
}

Point4 operator*(const Matrix& m, const Point4& p) {
    const double in[4] = {p.x, p.y, p.z, p.w};
    double out[4];
    for (int row = 0; row < 4; ++row)
        out[row] = m.at(row, 0) * in[0] + m.at(row, 1) * in[1] + m.at(row, 2) * in[2] + m.at(row, 3) * in[3];
    return {out[0], out[1], out[2], out[3]};
}

Matrix translationMatrix(double x, double y, double z) {
    Matrix t = identityMatrix();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, Matrix& out) {
    const double radians = fovy / 2 * 3.14159265358979323846 / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return false;
    const double cotangent = std::cos(radians) / sine;
    out = identityMatrix();
    out.m[0] = cotangent / aspect;
    out.m[5] = cotangent;
    out.m[10] = -(zFar + zNear) / deltaZ;
    out.m[11] = -1;
    out.m[14] = -2 * zNear * zFar / deltaZ;
    out.m[15] = 0;
    return true;
}

namespace {

// GLU's helpers, in float but for C's sqrt, which takes and gives a double: a zero vector is left as it is.
void normalize(float v[3]) {
    const float r = float(std::sqrt(double(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])));
    if (r == 0.0f) return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Matrix lookAtRotation(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                    double upX, double upY, double upZ) {
    float forward[3] = {float(centerX - eyeX), float(centerY - eyeY), float(centerZ - eyeZ)};
    float up[3] = {float(upX), float(upY), float(upZ)};
    float side[3];
    normalize(forward);
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);
    Matrix m = identityMatrix();
    for (int i = 0; i < 3; ++i) {
        m.m[i * 4 + 0] = side[i];
        m.m[i * 4 + 1] = up[i];
        m.m[i * 4 + 2] = -forward[i];
    }
    return m;
}

Matrix normalMatrix(const Matrix& m) {
    // The cofactors of the upper-left 3 x 3 are the transpose of its inverse, times its determinant.
    auto a = [&m](int row, int column) { return m.at(row, column); };
    double cofactor[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cofactor[r][c] = a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1);
        }
    const double determinant = a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[0][1] + a(0, 2) * cofactor[0][2];
    Matrix n = identityMatrix();
    if (determinant == 0) return n;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) n.m[c * 4 + r] = cofactor[r][c] / determinant;
    return n;
}

}  // namespace webgl
