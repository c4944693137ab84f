#include "matrix.h"

#include <cmath>

namespace webgl {

Mat4 identityMatrix() {
    Mat4 m;
    m.setScaledIdentity(1.0);
    return m;
}

bool perspectiveMatrix(double fovy, double aspect, double zNear, double zFar, Mat4& out) {
    const double radians = fovy / 2 * 3.14159265358979323846 / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return false;
    const double cotangent = std::cos(radians) / sine;
    out = identityMatrix();
    out(0, 0) = cotangent / aspect;
    out(1, 1) = cotangent;
    out(2, 2) = -(zFar + zNear) / deltaZ;
    out(3, 2) = -1;
    out(2, 3) = -2 * zNear * zFar / deltaZ;
    out(3, 3) = 0;
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

Mat4 lookAtRotation(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ,
                    double upX, double upY, double upZ) {
    float forward[3] = {float(centerX - eyeX), float(centerY - eyeY), float(centerZ - eyeZ)};
    float up[3] = {float(upX), float(upY), float(upZ)};
    float side[3];
    normalize(forward);
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);
    Mat4 m = identityMatrix();
    for (int i = 0; i < 3; ++i) {
        m(0, i) = side[i];
        m(1, i) = up[i];
        m(2, i) = -forward[i];
    }
    return m;
}

Mat4 normalMatrix(const Mat4& a) {
    // The cofactors of the upper-left 3 x 3 are the transpose of its inverse, times its determinant.
    double cofactor[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
            cofactor[r][c] = a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1);
        }
    const double determinant = a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[0][1] + a(0, 2) * cofactor[0][2];
    Mat4 n = identityMatrix();
    if (determinant == 0) return n;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) n(r, c) = cofactor[r][c] / determinant;
    return n;
}

}  // namespace webgl
