#pragma once
#include "vec.h"

// Homogeneous point or quaternion: (x, y, z) the vector part, w the scalar part.
struct Vec4 {
    double x, y, z, w;
    Vec4() = default;
    constexpr Vec4(double x_, double y_, double z_, double w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr Vec4(const Vec3& v, double w_) : x(v.x), y(v.y), z(v.z), w(w_) {}
    double& operator[](int i) { return this->*MEMBERS[i]; }
    double operator[](int i) const { return this->*MEMBERS[i]; }

private:
    static constexpr double Vec4::*MEMBERS[4] = {&Vec4::x, &Vec4::y, &Vec4::z, &Vec4::w};
};

inline Vec3 toVec3(const Vec4& v) { return {v.x / v.w, v.y / v.w, v.z / v.w}; }

// Four rows acting on column vectors; element (i, j) is component j of row i.
struct Mat4 {
    Vec4 row[4];
    double& operator()(int i, int j) { return row[i][j]; }
    double operator()(int i, int j) const { return row[i][j]; }
    void setScaledIdentity(double s);
};

Mat4 translation(const Vec3& t);
Mat4 fromQuaternion(const Vec4& q);
Mat4 rotation(const Vec3& axis, double angle);

// Returns a fresh value, so `a = a * b` and `b = a * b` are safe.
Mat4 operator*(const Mat4& a, const Mat4& b);
Vec4 operator*(const Mat4& m, const Vec4& v);
