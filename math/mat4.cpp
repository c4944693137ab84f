#include "mat4.h"

void Mat4::setScaledIdentity(double s) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) (*this)(i, j) = i == j ? s : 0.0;
}

Mat4 translation(const Vec3& t) {
    Mat4 m;
    m.setScaledIdentity(1.0);
    m(0, 3) = t.x;
    m(1, 3) = t.y;
    m(2, 3) = t.z;
    return m;
}

Mat4 fromQuaternion(const Vec4& q) {
    Mat4 m;
    m.setScaledIdentity(1.0);
    const double x2 = q.x + q.x, y2 = q.y + q.y, z2 = q.z + q.z;
    const double xx = x2 * q.x, yy = y2 * q.y, zz = z2 * q.z;
    const double xy = x2 * q.y, xz = x2 * q.z, yz = y2 * q.z;
    const double xw = x2 * q.w, yw = y2 * q.w, zw = z2 * q.w;
    m(0, 0) = (1.0 - yy) - zz; m(0, 1) = xy - zw;           m(0, 2) = xz + yw;
    m(1, 0) = xy + zw;           m(1, 1) = (1.0 - xx) - zz; m(1, 2) = yz - xw;
    m(2, 0) = xz - yw;           m(2, 1) = yz + xw;           m(2, 2) = (1.0 - xx) - yy;
    return m;
}

Mat4 rotation(const Vec3& axis, double angle) {
    const double h = angle * 0.5;
    const double s = std::sin(h);
    return fromQuaternion(Vec4(s * axis.x, s * axis.y, s * axis.z, std::cos(h)));
}

Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 c;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            c(i, j) = a(i, 0) * b(0, j) + a(i, 1) * b(1, j) + a(i, 2) * b(2, j) + a(i, 3) * b(3, j);
    return c;
}

Vec4 operator*(const Mat4& m, const Vec4& v) {
    Vec4 r;
    for (int i = 0; i < 4; ++i)
        r[i] = m(i, 0) * v.x + m(i, 1) * v.y + m(i, 2) * v.z + m(i, 3) * v.w;
    return r;
}
