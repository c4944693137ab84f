#include "mc_tables.h"
#include "polygonizer.h"
#include "test_support.h"

namespace {

// 30 at the corners set in `cubeIndex`, 10 elsewhere: above and below an iso level of 25.
Calls polygonize(int cubeIndex, const Vec3& lo, const Vec3& hi, const Vec3 normals[8], double corner2 = 0) {
    double values[8];
    for (int n = 0; n < 8; ++n) values[n] = (cubeIndex >> n) & 1 ? 30 : 10;
    if (corner2) values[2] = corner2;
    return record([&] { polygonizeCell(lo, hi, values, normals, TRI_TABLE[cubeIndex], 25); });
}

}  // namespace

TEST(Polygonizer, SingleCornerCellEmitsEdges0_8_3WithInterpolatedVerticesAndMeanNormals) {
    Vec3 normals[8];
    for (int n = 0; n < 8; ++n) normals[n] = Vec3(n, 1, -2 * n);
    const Calls c = polygonize(1, Vec3(0, 0, 0), Vec3(1, 2, 4), normals);
    ASSERT_EQ(c.size(), 8u);
    EXPECT_TRUE(c[0].fn == "glBegin" && c[0].arg[0] == GL_TRIANGLES && c[7].fn == "glEnd");
    // Edge 0 runs 30 -> 10: a quarter along; edge 3 runs 10 -> 30 from corner 3: three quarters back to corner 0.
    const Vec3 want[6] = {{0.5, 1, -1}, {0.25, 0, 0}, {2, 1, -4}, {0, 0.5, 0}, {1.5, 1, -3}, {0, 0, 1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(c[1 + i].fn, i % 2 ? "glVertex3dv" : "glNormal3dv");
        EXPECT_TRUE(sameBits(argVec(c[1 + i]), want[i])) << "call " << 1 + i;
    }
}

TEST(Polygonizer, FiveTriangleRowIsOneBlockAndOpposedNormalsAverageToZero) {
    Vec3 normals[8];
    for (int n = 0; n < 8; ++n) normals[n] = (121 >> n) & 1 ? Vec3(0, 1, 0) : Vec3(0, -1, 0);
    const Calls c = polygonize(121, Vec3(0, 0, 0), Vec3(1, 1, 1), normals);
    ASSERT_EQ(c.size(), 32u);
    EXPECT_TRUE(c[0].fn == "glBegin" && c[31].fn == "glEnd");
    for (int i = 1; i < 31; i += 2) {
        EXPECT_TRUE(c[i].fn == "glNormal3dv" && sameBits(argVec(c[i]), Vec3(0, 0, 0))) << "call " << i;
        EXPECT_EQ(c[i + 1].fn, "glVertex3dv");
    }
}

TEST(Polygonizer, FarCornersAreMinPlusSizeAndIsoValuedCornersAreHitExactly) {
    const Vec3 lo(0.2, 0.2, 0.2), hi(0.9, 0.9, 0.9), normals[8] = {};
    const double far = lo.x + (hi.x - lo.x);
    ASSERT_NE(far, hi.x) << "this cell no longer tells min + size from max";
    // Corner 2 sits at iso level 25, so edge 10 (2 -> 6), the row's first, has t = 0.
    ASSERT_EQ(TRI_TABLE[0x40][0], 10);
    polygonize(0x40, lo, hi, normals, 25);
    const auto vertices = glstub::named("glVertex3dv");
    ASSERT_EQ(vertices.size(), 3u);
    EXPECT_TRUE(sameBits(argVec(vertices[0]), Vec3(far, lo.y, far)));

    const Vec3 a(0.5, 0.25, 2), b(-1, 8, 0.125);
    EXPECT_TRUE(sameBits(interpolateEdge(a, b, 25, 30, 25), a));
    EXPECT_TRUE(sameBits(interpolateEdge(a, b, 30, 25, 25), b));
}
