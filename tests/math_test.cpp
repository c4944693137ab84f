#include "mat4.h"
#include "test_support.h"

#include <cmath>
#include <type_traits>

namespace {

void expectScaledIdentity(const Mat4& m, double s) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(m(i, j), i == j ? s : 0.0) << i << "," << j;
}

void expectPoint(const Vec4& p, double x, double y, double z, double tolerance) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
    EXPECT_NEAR(p.z, z, tolerance);
    EXPECT_EQ(p.w, 1.0);
}

TEST(Vec3, ArithmeticAndProducts) {
    const Vec3 a(1, 2, 3), b(4, 5, 6);
    expectVec(a + b, 5, 7, 9);
    expectVec(b - a, 3, 3, 3);
    expectVec(a * 2.0, 2, 4, 6);
    EXPECT_EQ(dot(a, b), 32.0);
    expectVec(cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), 0, 0, 1);
    expectVec(cross(Vec3(0, 1, 0), Vec3(0, 0, 10)), 10, 0, 0);
    EXPECT_EQ(length(Vec3(3, 0, 4)), 5.0);
    expectVec(normalized(Vec3(3, 0, 4)), 0.6, 0.0, 0.8);
}

TEST(Vec3, DotSumsZThenYThenXAndDivisionIsThreeDivisions) {
    // -1 + 1e-16 rounds to the double below 1 in magnitude, so the grouping shows in the result.
    ASSERT_NE((1e-16 + -1.0) + 1.0, (1.0 + -1.0) + 1e-16);
    EXPECT_EQ(dot(Vec3(1.0, -1.0, 1e-16), Vec3(1.0, 1.0, 1.0)), (1e-16 + -1.0) + 1.0);
    ASSERT_NE(49.0 * (1.0 / 49.0), 1.0);
    expectVec(Vec3(1.0, 2.0, 49.0) / 49.0, 1.0 / 49.0, 2.0 / 49.0, 1.0);
}

TEST(Vec3, DivisionByZeroFollowsIeee) {
    expectVec(Vec3(1, 2, 3) / 0.0, INFINITY, INFINITY, INFINITY);
    const Vec3 nan = normalized(Vec3(0, 0, 0));
    EXPECT_TRUE(std::isnan(nan.x) && std::isnan(nan.y) && std::isnan(nan.z));
}

// Arrays of Vec3 go to GL as runs of doubles; a Mat4 is its 16 elements row by row.
TEST(Layout, Vec3ArraysAreContiguousDoublesAndMat4IsRowMajor) {
    static_assert(std::is_trivially_copyable_v<Vec3> && sizeof(Vec2) == 2 * sizeof(double));
    const Vec3 run[2] = {Vec3(1, 2, 3), Vec3(4, 5, 6)};
    double flat[16];
    std::memcpy(flat, run, sizeof run);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(flat[i], i + 1.0);
    EXPECT_EQ(run[1].data(), run[0].data() + 3);

    static_assert(sizeof(Mat4) == 16 * sizeof(double));
    const Mat4 m = translation(Vec3(7, 8, 9));
    std::memcpy(flat, &m, sizeof m);
    EXPECT_TRUE(flat[3] == 7.0 && flat[7] == 8.0 && flat[11] == 9.0 && flat[15] == 1.0);
}

TEST(Mat4, TranslationAndHomogeneousDivide) {
    expectPoint(translation(Vec3(1, 2, 3)) * Vec4(Vec3(0, 0, 0), 1.0), 1, 2, 3, 0.0);
    expectVec(toVec3(Vec4(2, 4, 6, 2)), 1, 2, 3);
}

TEST(Mat4, IdentitiesOverwriteEverything) {
    Mat4 m = rotation(Vec3(1, 0, 0), 0.7);
    m(3, 0) = 42.0;
    m.setScaledIdentity(3.0);
    expectScaledIdentity(m, 3.0);
    expectScaledIdentity(fromQuaternion(Vec4(0, 0, 0, 1)), 1.0);
    expectScaledIdentity(rotation(Vec3(0, 1, 0), 0.0), 1.0);
}

TEST(Mat4, QuaternionOneMinusAMinusBGroupsLeft) {
    // For these parts (1 - a) - b and 1 - (a + b) round apart in each of the three diagonal elements.
    const double x = 0.1, y = 0.2, z = 0.2;
    const double xx = (x + x) * x, yy = (y + y) * y, zz = (z + z) * z;
    ASSERT_NE((1.0 - yy) - zz, 1.0 - (yy + zz));
    const Mat4 m = fromQuaternion(Vec4(x, y, z, 0));
    EXPECT_EQ(m(0, 0), (1.0 - yy) - zz);
    EXPECT_EQ(m(1, 1), (1.0 - xx) - zz);
    EXPECT_EQ(m(2, 2), (1.0 - xx) - yy);
}

TEST(Mat4, RotationsTurnRightHanded) {
    const double h = 1.5707963267948966, a = 0.3;
    expectPoint(rotation(Vec3(0, 1, 0), h) * Vec4(0, 0, 1, 1), 1, 0, 0, 1e-15);
    expectPoint(rotation(Vec3(1, 0, 0), h) * Vec4(0, 0, 1, 1), 0, -1, 0, 1e-15);
    const Mat4 rz = rotation(Vec3(0, 0, 1), a);
    expectPoint(rz * Vec4(1, 0, 0, 1), std::cos(a), std::sin(a), 0, 1e-15);
    expectPoint(rz * Vec4(0, 1, 0, 1), -std::sin(a), std::cos(a), 0, 1e-15);
    EXPECT_EQ(rz(2, 2), 1.0);
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
    const Vec4 q = a * (b * Vec4(Vec3(0, 0, 0), 1.0));
    expectPoint(expected * Vec4(Vec3(0, 0, 0), 1.0), q.x, q.y, q.z, 1e-14);
}

}  // namespace
