#include "orbit_camera.h"
#include "test_support.h"

#include <cmath>

namespace {

constexpr double TWO_PI = 6.283185307179586, HALF_PI = 1.5707963267948966, THREE_HALF_PI = 4.71238898038469;

OrbitCamera atOrigin() { return OrbitCamera(Vec3(0, 0, 0)); }

void expectFreshOrbit(const OrbitCamera& c) {
    EXPECT_EQ(c.getElevation(), 0.0);
    EXPECT_EQ(c.getAzimuth(), 0.0);
    EXPECT_EQ(c.getDistance(), 10.0);
}

TEST(OrbitCamera, GlobalStartsResetAtOriginAndResetRestoresEveryField) {
    expectFreshOrbit(camera);
    expectVec(camera.getCenter(), 0, 0, 0);
    expectVec(camera.eye(), 0, 0, 10);
    expectVec(camera.up(), 0, 1, 0);

    OrbitCamera c = atOrigin();
    c.rotate(40, 70);
    c.zoom(30);
    c.pan(5, 5);
    c.reset(Vec3(1, 2, 3));
    expectFreshOrbit(c);
    expectVec(c.eye(), 1, 2, 13);
}

TEST(OrbitCamera, SetElevationWrapsNegativeValuesOnce) {
    OrbitCamera c = atOrigin();
    const struct { double set, stored; } cases[] = {{-1.0, -1.0 + TWO_PI}, {-7.0, -7.0 + TWO_PI}, {20.0, 20.0}};
    for (const auto& k : cases) {
        c.setElevation(k.set);
        EXPECT_EQ(c.getElevation(), k.stored) << k.set;
    }
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

    // Both angles at once tell the order of the two turns; growing elevation tilts the eye towards -y.
    OrbitCamera d(Vec3(1, 2, 3));
    d.setAzimuth(1.0);
    d.setElevation(0.5);
    const Vec3 f = d.eye();
    EXPECT_NEAR(f.x, 1 + 10 * std::cos(0.5) * std::sin(1.0), 1e-14);
    EXPECT_NEAR(f.y, 2 - 10 * std::sin(0.5), 1e-14);
    EXPECT_NEAR(f.z, 3 + 10 * std::cos(0.5) * std::cos(1.0), 1e-14);
}

TEST(OrbitCamera, RotateScalesAndWrapsElevationOnce) {
    // 1200 pixels is more than 180 * 2π: the single wrap leaves the elevation negative.
    const struct { double dy, elevation, upY; } cases[] = {
        {90, 5.783185307179586, 1}, {-300, 1.6666666666666667, -1}, {1200, -0.38348135948708073, 1}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.dy);
        OrbitCamera c = atOrigin();
        c.rotate(0, k.dy);
        EXPECT_EQ(c.getElevation(), k.elevation);
        expectVec(c.up(), 0, k.upY, 0);
    }
}

TEST(OrbitCamera, UpFlipsStrictlyInsideTheOverheadRange) {
    OrbitCamera c = atOrigin();
    const struct { double elevation, upY; } cases[] = {
        {HALF_PI, 1}, {std::nextafter(HALF_PI, 4.0), -1}, {THREE_HALF_PI, 1}, {std::nextafter(THREE_HALF_PI, 0.0), -1},
        {TWO_PI + 2.0, -1}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.elevation);
        c.setElevation(k.elevation);
        expectVec(c.up(), 0, k.upY, 0);
    }
}

TEST(OrbitCamera, PanMovesCentreAndEyeInTheImagePlane) {
    OrbitCamera c = atOrigin();
    c.pan(100, 0);
    expectVec(c.getCenter(), 1, 0, 0);
    expectVec(c.eye(), 1, 0, 10);
    c.pan(0, 100);
    expectVec(c.getCenter(), 1, 1, 0);
    expectVec(c.eye(), 1, 1, 10);
}

TEST(OrbitCamera, PanStraightAboveTheCentreStillHasAUnitRight) {
    OrbitCamera c = atOrigin();
    c.setElevation(HALF_PI);
    ASSERT_NE(c.eye().z, 0.0);  // the rotation leaves a tiny z offset, so F is not parallel to up
    c.pan(100, 0);
    const Vec3 moved = c.getCenter();
    expectVec(Vec3(std::fabs(moved.x), moved.y, moved.z), 1, 0, 0);
}

TEST(OrbitCamera, ZoomHasNoLowerBound) {
    OrbitCamera c = atOrigin();
    c.zoom(-1000);
    EXPECT_EQ(c.getDistance(), 0.0);
    c.zoom(-500);
    EXPECT_EQ(c.getDistance(), -5.0);
    expectVec(c.eye(), 0, 0, -5);
}

// A pan without a right direction, or a non-finite centre, would poison every later view: both are refused.
TEST(OrbitCamera, PanWithEyeOnTheCentreOrLookingAlongUpIsSkipped) {
    OrbitCamera c(Vec3(0.25, -2, 3));
    c.zoom(-1000);
    ASSERT_EQ(c.getDistance(), 0.0);
    c.pan(100, 50);
    expectVec(c.getCenter(), 0.25, -2, 3);
    // The camera is still usable: backing out and panning works again.
    c.zoom(1000);
    c.pan(100, 0);
    expectVec(c.getCenter(), 1.25, -2, 3);

    // Far from the origin the eye's tiny z offset at elevation π/2 rounds away: F = (0, -10, 0).
    OrbitCamera above(Vec3(0, 0, 1000));
    above.setElevation(HALF_PI);
    const Vec3 f = above.eye() - above.getCenter();
    ASSERT_TRUE(f.x == 0.0 && f.z == 0.0 && f.y != 0.0);
    above.pan(30, -40);
    expectVec(above.getCenter(), 0, 0, 1000);
}

TEST(OrbitCamera, PanNeverStoresANonFiniteCentre) {
    OrbitCamera c(Vec3(1, 2, 3));
    c.pan(INFINITY, 0);
    c.pan(0, NAN);
    expectVec(c.getCenter(), 1, 2, 3);
    c.setCenter(Vec3(-4, 5, 6));
    expectVec(c.getCenter(), -4, 5, 6);
}

}  // namespace
