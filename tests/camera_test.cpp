#include "orbit_camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double TWO_PI = 6.283185307179586;
constexpr double HALF_PI = 1.5707963267948966;

void expectExact(const Vec3& v, double x, double y, double z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

bool isFinite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

OrbitCamera atOrigin() { return OrbitCamera(Vec3(0, 0, 0)); }

TEST(OrbitCamera, GlobalStartsResetAtOrigin) {
    EXPECT_EQ(camera.getElevation(), 0.0);
    EXPECT_EQ(camera.getAzimuth(), 0.0);
    EXPECT_EQ(camera.getDistance(), 10.0);
    expectExact(camera.getCenter(), 0, 0, 0);
    expectExact(camera.eye(), 0, 0, 10);
    expectExact(camera.up(), 0, 1, 0);
}

TEST(OrbitCamera, ResetRestoresEveryField) {
    OrbitCamera c = atOrigin();
    c.rotate(40, 70);
    c.zoom(30);
    c.pan(5, 5);
    c.reset(Vec3(1, 2, 3));
    EXPECT_EQ(c.getElevation(), 0.0);
    EXPECT_EQ(c.getAzimuth(), 0.0);
    EXPECT_EQ(c.getDistance(), 10.0);
    expectExact(c.eye(), 1, 2, 13);
}

TEST(OrbitCamera, SetElevationWrapsNegativeValuesOnce) {
    OrbitCamera c = atOrigin();
    c.setElevation(-1.0);
    EXPECT_EQ(c.getElevation(), -1.0 + TWO_PI);
    c.setElevation(-7.0);
    EXPECT_EQ(c.getElevation(), -7.0 + TWO_PI);
    EXPECT_LT(c.getElevation(), 0.0);
    c.setElevation(20.0);
    EXPECT_EQ(c.getElevation(), 20.0);
}

TEST(OrbitCamera, EyeFollowsTheOrbitAngles) {
    OrbitCamera c = atOrigin();
    c.rotate(180, 0);
    EXPECT_EQ(c.getAzimuth(), 1.0);
    EXPECT_EQ(c.getElevation(), 0.0);
    const Vec3 e = c.eye();
    EXPECT_NEAR(e.x, 10 * std::sin(1.0), 1e-14);
    EXPECT_EQ(e.y, 0.0);
    EXPECT_NEAR(e.z, 10 * std::cos(1.0), 1e-14);

    // Growing elevation tilts the eye towards -y.
    OrbitCamera d = atOrigin();
    d.setElevation(0.5);
    EXPECT_NEAR(d.eye().y, -10 * std::sin(0.5), 1e-14);
    EXPECT_NEAR(d.eye().z, 10 * std::cos(0.5), 1e-14);
}

TEST(OrbitCamera, RotateScalesAndWrapsElevation) {
    OrbitCamera down = atOrigin();
    down.rotate(0, 90);
    EXPECT_EQ(down.getElevation(), 5.783185307179586);
    expectExact(down.up(), 0, 1, 0);

    OrbitCamera over = atOrigin();
    over.rotate(0, -300);
    EXPECT_EQ(over.getElevation(), 1.6666666666666667);
    expectExact(over.up(), 0, -1, 0);

    // More than 180 * 2π pixels in one event: the single wrap cannot make it non-negative.
    OrbitCamera huge = atOrigin();
    huge.rotate(0, 1200);
    EXPECT_LT(huge.getElevation(), 0.0);
    EXPECT_EQ(huge.getElevation(), 1200 * -0.005555555555555556 + TWO_PI);
    expectExact(huge.up(), 0, 1, 0);
}

TEST(OrbitCamera, UpFlipsStrictlyInsideTheOverheadRange) {
    OrbitCamera c = atOrigin();
    c.setElevation(HALF_PI);
    expectExact(c.up(), 0, 1, 0);
    c.setElevation(std::nextafter(HALF_PI, 4.0));
    expectExact(c.up(), 0, -1, 0);
    c.setElevation(4.71238898038469);
    expectExact(c.up(), 0, 1, 0);
    c.setElevation(std::nextafter(4.71238898038469, 0.0));
    expectExact(c.up(), 0, -1, 0);
    c.setElevation(TWO_PI + 2.0);
    expectExact(c.up(), 0, -1, 0);
}

TEST(OrbitCamera, PanMovesCentreAndEyeInTheImagePlane) {
    OrbitCamera c = atOrigin();
    c.pan(100, 0);
    expectExact(c.getCenter(), 1, 0, 0);
    expectExact(c.eye(), 1, 0, 10);

    OrbitCamera v = atOrigin();
    v.pan(0, 100);
    expectExact(v.getCenter(), 0, 1, 0);
    expectExact(v.eye(), 0, 1, 10);
}

TEST(OrbitCamera, PanStraightAboveTheCentreStillHasAUnitRight) {
    OrbitCamera c = atOrigin();
    c.setElevation(HALF_PI);
    ASSERT_NE(c.eye().z, 0.0);  // the rotation leaves a tiny z offset, so F is not parallel to up
    c.pan(100, 0);
    const Vec3 moved = c.getCenter();
    EXPECT_EQ(std::fabs(moved.x), 1.0);
    EXPECT_EQ(moved.y, 0.0);
    EXPECT_EQ(moved.z, 0.0);
}

TEST(OrbitCamera, ZoomHasNoLowerBound) {
    OrbitCamera c = atOrigin();
    c.zoom(-1000);
    EXPECT_EQ(c.getDistance(), 0.0);
    OrbitCamera behind = atOrigin();
    behind.zoom(-1500);
    EXPECT_EQ(behind.getDistance(), -5.0);
    expectExact(behind.eye(), 0, 0, -5);
}

TEST(OrbitCamera, PanWithEyeOnTheCentreIsSkipped) {
    OrbitCamera c(Vec3(0.25, -2, 3));
    c.zoom(-1000);
    ASSERT_EQ(c.getDistance(), 0.0);
    c.pan(100, 50);
    expectExact(c.getCenter(), 0.25, -2, 3);
    // The camera is still usable: backing out and panning works again.
    c.zoom(1000);
    c.pan(100, 0);
    expectExact(c.getCenter(), 1.25, -2, 3);
}

TEST(OrbitCamera, PanLookingAlongUpIsSkipped) {
    // Far from the origin the eye's tiny z offset at elevation π/2 rounds away: F = (0, -10, 0).
    OrbitCamera c(Vec3(0, 0, 1000));
    c.setElevation(HALF_PI);
    const Vec3 f = c.eye() - c.getCenter();
    ASSERT_EQ(f.x, 0.0);
    ASSERT_EQ(f.z, 0.0);
    ASSERT_NE(f.y, 0.0);
    c.pan(30, -40);
    expectExact(c.getCenter(), 0, 0, 1000);
    EXPECT_TRUE(isFinite(c.eye()));
}

TEST(OrbitCamera, NonFiniteCentreIsNeverStored) {
    OrbitCamera c(Vec3(1, 2, 3));
    c.setCenter(Vec3(NAN, 0, 0));
    c.setCenter(Vec3(0, INFINITY, 0));
    c.pan(INFINITY, 0);
    expectExact(c.getCenter(), 1, 2, 3);
    c.setCenter(Vec3(-4, 5, 6));
    expectExact(c.getCenter(), -4, 5, 6);
}

}  // namespace
