#pragma once
#include <cmath>

// Three contiguous doubles and nothing else: the address of a Vec3 goes straight to glVertex3dv / glNormal3dv.
struct Vec3 {
    double x, y, z;
    Vec3() = default;
    constexpr Vec3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
    const double* data() const { return &x; }
};
static_assert(sizeof(Vec3) == 3 * sizeof(double), "Vec3 must be exactly three doubles");

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
// Three true divisions: a multiplication by 1/s would round differently.
inline Vec3 operator/(const Vec3& a, double s) { return {a.x / s, a.y / s, a.z / s}; }

// The summation order (z, then y, then x) is part of the result's last bits.
inline double dot(const Vec3& a, const Vec3& b) { return (a.z * b.z + a.y * b.y) + a.x * b.x; }
inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3& a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(const Vec3& a) { return a / length(a); }

// Pointer delta of one motion event; it carries values, no arithmetic.
struct Vec2 {
    double x, y;
    Vec2() = default;
    constexpr Vec2(double x_, double y_) : x(x_), y(y_) {}
};
