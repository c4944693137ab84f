#include "orbit_camera.h"

#include "mat4.h"

#include <cmath>

namespace {
constexpr double TWO_PI = 6.283185307179586;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double THREE_HALF_PI = 4.71238898038469;
constexpr double ROTATE_PER_PIXEL = 0.005555555555555556;
constexpr double MOVE_PER_PIXEL = 0.01;

bool isFinite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
}  // namespace

OrbitCamera camera(Vec3(0.0, 0.0, 0.0));

// One wrap only: a value below -2π stays negative and large values are never reduced.
void OrbitCamera::setElevation(double a) { elevation = a < 0.0 ? a + TWO_PI : a; }


// Through the matrix chain rather than the closed form: the last bits of the result depend on it.
Vec3 OrbitCamera::eye() const {
    const Mat4 t = translation(Vec3(0.0, 0.0, distance));
    const Mat4 ry = rotation(Vec3(0.0, 1.0, 0.0), azimuth);
    const Mat4 rx = rotation(Vec3(1.0, 0.0, 0.0), elevation);
    const Mat4 p = ry * rx;
    const Mat4 m = p * t;
    const Vec3 offset = toVec3(m * Vec4(Vec3(0.0, 0.0, 0.0), 1.0));
    return toVec3(translation(center) * Vec4(offset, 1.0));
}

// fmod keeps the sign, so any negative elevation keeps the up vector upright.
Vec3 OrbitCamera::up() const {
    const double r = std::fmod(elevation, TWO_PI);
    if (r > HALF_PI && r < THREE_HALF_PI) return Vec3(0.0, -1.0, 0.0);
    return Vec3(0.0, 1.0, 0.0);
}

void OrbitCamera::rotate(double dx, double dy) {
    setAzimuth(getAzimuth() + dx * ROTATE_PER_PIXEL);
    setElevation(getElevation() + dy * -ROTATE_PER_PIXEL);
}

// With the eye on the centre, or looking straight along up(), the image plane has no defined right
// direction and the normalisations give NaN. Such a pan is skipped: a non-finite centre would poison every
// later eye() and view for good.
void OrbitCamera::pan(double dx, double dy) {
    const double sx = dx * MOVE_PER_PIXEL, sy = dy * MOVE_PER_PIXEL;
    const Vec3 forward = eye() - getCenter();
    const Vec3 right = normalized(cross(up(), forward));
    const Vec3 vertical = normalized(cross(forward, right));
    const Vec3 moved = (getCenter() + right * sx) + vertical * sy;
    if (isFinite(moved)) setCenter(moved);
}

void OrbitCamera::zoom(double dx) { setDistance(getDistance() + dx * MOVE_PER_PIXEL); }
