#include "mat4.h"
#include "vec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <type_traits>

namespace {

void expectBits(const Vec3& v, double x, double y, double z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

TEST(Vec3, ArithmeticAndProducts) {
    const Vec3 a(1, 2, 3), b(4, 5, 6);
    expectBits(a + b, 5, 7, 9);
    expectBits(b - a, 3, 3, 3);
    expectBits(a * 2.0, 2, 4, 6);
    EXPECT_EQ(dot(a, b), 32.0);
    expectBits(cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), 0, 0, 1);
    expectBits(cross(Vec3(0, 1, 0), Vec3(0, 0, 10)), 10, 0, 0);
    EXPECT_EQ(length(Vec3(3, 0, 4)), 5.0);
    expectBits(normalized(Vec3(3, 0, 4)), 0.6, 0.0, 0.8);
}

TEST(Vec3, DotSumsZThenYThenX) {
    // -1 + 1e-16 rounds to the double below 1 in magnitude, so the grouping shows in the result.
    const Vec3 a(1.0, -1.0, 1e-16), ones(1.0, 1.0, 1.0);
    EXPECT_EQ(dot(a, ones), (1e-16 + -1.0) + 1.0);
    EXPECT_NE(dot(a, ones), (1.0 + -1.0) + 1e-16);
}

TEST(Vec3, DivisionIsThreeDivisionsNotAReciprocal) {
    const Vec3 v(1.0, 2.0, 49.0);
    ASSERT_NE(49.0 * (1.0 / 49.0), 1.0);
    expectBits(v / 49.0, 1.0 / 49.0, 2.0 / 49.0, 1.0);
}

TEST(Vec3, DivisionByZeroFollowsIeee) {
    const Vec3 inf = Vec3(1, 2, 3) / 0.0;
    EXPECT_TRUE(std::isinf(inf.x) && inf.x > 0);
    EXPECT_TRUE(std::isinf(inf.y) && inf.y > 0);
    EXPECT_TRUE(std::isinf(inf.z) && inf.z > 0);
    const Vec3 nan = normalized(Vec3(0, 0, 0));
    EXPECT_TRUE(std::isnan(nan.x) && std::isnan(nan.y) && std::isnan(nan.z));
}

TEST(Vec3, ArraysAreContiguousDoubles) {
    static_assert(std::is_trivially_copyable_v<Vec3>);
    static_assert(sizeof(Vec2) == 2 * sizeof(double));
    const Vec3 run[2] = {Vec3(1, 2, 3), Vec3(4, 5, 6)};
    double flat[6];
    std::memcpy(flat, run, sizeof run);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(flat[i], i + 1.0);
    EXPECT_EQ(run[1].data(), run[0].data() + 3);
}

TEST(Mat4, TranslationAndHomogeneousDivide) {
    const Vec4 p = translation(Vec3(1, 2, 3)) * Vec4(Vec3(0, 0, 0), 1.0);
    EXPECT_EQ(p.x, 1.0);
    EXPECT_EQ(p.y, 2.0);
    EXPECT_EQ(p.z, 3.0);
    EXPECT_EQ(p.w, 1.0);
    expectBits(toVec3(p), 1, 2, 3);
    expectBits(toVec3(Vec4(2, 4, 6, 2)), 1, 2, 3);
}

TEST(Mat4, RowMajorLayout) {
    static_assert(sizeof(Mat4) == 16 * sizeof(double));
    Mat4 m = translation(Vec3(7, 8, 9));
    double flat[16];
    std::memcpy(flat, &m, sizeof m);
    EXPECT_EQ(flat[3], 7.0);
    EXPECT_EQ(flat[7], 8.0);
    EXPECT_EQ(flat[11], 9.0);
    EXPECT_EQ(flat[15], 1.0);
}

TEST(Mat4, ScaledIdentityOverwritesEverything) {
    Mat4 m = rotation(Vec3(1, 0, 0), 0.7);
    m(3, 0) = 42.0;
    m.setScaledIdentity(3.0);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(m(i, j), i == j ? 3.0 : 0.0) << i << "," << j;
}

TEST(Mat4, QuaternionIdentityAndZeroAngle) {
    for (const Mat4& m : {fromQuaternion(Vec4(0, 0, 0, 1)), rotation(Vec3(0, 1, 0), 0.0)})
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) EXPECT_EQ(m(i, j), i == j ? 1.0 : 0.0);
}

TEST(Mat4, QuaternionOneMinusAMinusBGroupsLeft) {
    // xx = 2·x², yy = 2·y², zz = 2·z²; with tiny yy and zz = 1, (1 - yy) - zz differs from 1 - (yy + zz).
    const double y = 1e-9, z = std::sqrt(0.5);
    const Mat4 m = fromQuaternion(Vec4(0, y, z, 0));
    const double yy = (y + y) * y, zz = (z + z) * z;
    EXPECT_EQ(m(0, 0), (1.0 - yy) - zz);
}

TEST(Mat4, RotationsTurnRightHanded) {
    const double h = 1.5707963267948966;
    const Vec4 zAxis(0, 0, 1, 1);
    const Vec4 aboutY = rotation(Vec3(0, 1, 0), h) * zAxis;
    EXPECT_NEAR(aboutY.x, 1.0, 1e-15);
    EXPECT_NEAR(aboutY.y, 0.0, 1e-15);
    EXPECT_NEAR(aboutY.z, 0.0, 1e-15);
    EXPECT_EQ(aboutY.w, 1.0);
    const Vec4 aboutX = rotation(Vec3(1, 0, 0), h) * zAxis;
    EXPECT_NEAR(aboutX.x, 0.0, 1e-15);
    EXPECT_NEAR(aboutX.y, -1.0, 1e-15);
    EXPECT_NEAR(aboutX.z, 0.0, 1e-15);
    const Mat4 rz = rotation(Vec3(0, 0, 1), 0.3);
    EXPECT_NEAR(rz(0, 0), std::cos(0.3), 1e-15);
    EXPECT_NEAR(rz(0, 1), -std::sin(0.3), 1e-15);
    EXPECT_NEAR(rz(1, 0), std::sin(0.3), 1e-15);
    EXPECT_EQ(rz(2, 2), 1.0);
    EXPECT_EQ(rz(3, 3), 1.0);
}

TEST(Mat4, ProductMayOverwriteAnOperand) {
    const Mat4 a = rotation(Vec3(0, 1, 0), 0.4) * translation(Vec3(1, 2, 3));
    const Mat4 b = rotation(Vec3(1, 0, 0), 1.1);
    const Mat4 expected = a * b;
    Mat4 intoA = a, intoB = b;
    intoA = intoA * b;
    intoB = a * intoB;
    EXPECT_EQ(std::memcmp(&intoA, &expected, sizeof(Mat4)), 0);
    EXPECT_EQ(std::memcmp(&intoB, &expected, sizeof(Mat4)), 0);
    // Applies the right operand first: translate, then turn.
    const Vec4 p = expected * Vec4(Vec3(0, 0, 0), 1.0);
    const Vec4 q = a * (b * Vec4(Vec3(0, 0, 0), 1.0));
    EXPECT_DOUBLE_EQ(p.x, q.x);
    EXPECT_DOUBLE_EQ(p.z, q.z);
}

}  // namespace
