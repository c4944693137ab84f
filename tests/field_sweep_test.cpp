#include "density_grid.h"
#include "isosurface.h"
#include "mc_tables.h"
#include "test_support.h"

#include <algorithm>

namespace {

// ---- A deliberately plain sweep to hold the product's call stream against ----

// Central differences, one-sided where a neighbour would lie past the border.
Vec3 plainNormal(const int p[3]) {
    double d[3];
    for (int c = 0; c < 3; ++c) {
        int minus[3] = {p[0], p[1], p[2]}, plus[3] = {p[0], p[1], p[2]};
        minus[c] = std::max(p[c] - 1, 0), plus[c] = std::min(p[c] + 1, 39);
        d[c] = gridAt(densityGrid, plus[0], plus[1], plus[2]) - gridAt(densityGrid, minus[0], minus[1], minus[2]);
    }
    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    return len == 0 ? Vec3(0, 0, 0) : Vec3(d[0] / len, d[1] / len, d[2] / len);
}

void plainFrame(double iso, Calls& out) {
    for (int i = 0; i < 39; ++i)
        for (int j = 0; j < 39; ++j)
            for (int k = 0; k < 39; ++k) {
                const int cell[3] = {i, j, k};
                int corner[8][3], index = 0;
                double values[8];
                for (int n = 0; n < 8; ++n) {
                    for (int c = 0; c < 3; ++c) corner[n][c] = cell[c] + CORNER_OFFSET[n][c];
                    values[n] = gridAt(densityGrid, corner[n][0], corner[n][1], corner[n][2]);
                    index |= (values[n] > iso) << n;
                }
                if (index == 0 || index == 255) continue;
                Vec3 normals[8];
                for (int n = 0; n < 8; ++n) normals[n] = plainNormal(corner[n]);
                const Vec3 lo(i * 0.025, j * 0.025, k * 0.025), hi((i + 1) * 0.025, (j + 1) * 0.025, (k + 1) * 0.025);
                plainCell(lo, hi, values, normals, TRI_TABLE[index], iso, out);
            }
}

// Draws `frames` frames from animTime 0 and holds each against the plain sweep; returns the blocks drawn.
std::size_t expectPlainFrames(int frames) {
    animTime = 0;
    double t = 0;
    std::size_t blocks = 0;
    Calls want;
    for (int frame = 1; frame <= frames; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        glstub::reset();
        drawIsosurface();
        t += 0.03;
        EXPECT_EQ(animTime, t);
        want.clear();
        plainFrame(10 * std::sin(t) + 25, want);
        EXPECT_EQ(firstDifference(glstub::calls(), want), -1) << "first differing call";
        EXPECT_EQ(glstub::nonFiniteCount(), 0u);
        blocks += glstub::named("glBegin").size();
        if (testing::Test::HasFailure()) break;
    }
    return blocks;
}

}  // namespace

TEST(IsosurfaceSweep, MatchesPlainSweepBitForBitOverAWholePeriod) {
    fillDensityGrid();
    EXPECT_GT(expectPlainFrames(210), 210u * 1000);
}

// The real field's surface keeps away from most faces of the grid; this one holds their one-sided normals too.
TEST(IsosurfaceSweep, MatchesPlainSweepOnAFieldCrossingEveryFace) {
    fillWavyGrid(densityGrid);
    EXPECT_GT(expectPlainFrames(2), 2u * 1000);
    fillDensityGrid();
}

TEST(IsosurfaceSweep, OnlyCellsAroundAPointAboveIsoEmitInGridOrder) {
    for (double& v : densityGrid) v = 0;
    gridAt(densityGrid, 5, 5, 5) = 100;
    gridAt(densityGrid, 20, 20, 20) = 10 * std::sin(0.03) + 25;  // at iso: not above, so its cells stay silent
    animTime = 0;
    const Calls calls = record(drawIsosurface);
    EXPECT_EQ(glstub::nonFiniteCount(), 0u) << "flat corners must not produce NaN normals";
    ASSERT_EQ(calls.size(), 8u * 8);
    for (int b = 0; b < 8; ++b) {  // cells (4..5, 4..5, 4..5), k fastest; the 3 vertices pin the cell down
        const int lo[3] = {4 + (b >> 2), 4 + ((b >> 1) & 1), 4 + (b & 1)};
        for (int v = 0; v < 3; ++v)
            for (int c = 0; c < 3; ++c) {
                const double x = calls[b * 8 + 2 + 2 * v].arg[c];
                EXPECT_TRUE(x >= lo[c] * 0.025 && x <= (lo[c] + 1) * 0.025) << "block " << b << " vertex " << v;
            }
    }
    fillDensityGrid();
}

TEST(GridNormal, OneSidedAtBordersAndZeroWhereFlat) {
    static double grid[64000];  // a 3x3x3 corner, with the density grid's strides
    auto fill = [](double (*f)(int, int, int)) {
        for (int n = 0; n < 27; ++n) gridAt(grid, n / 9, n / 3 % 3, n % 3) = f(n / 9, n / 3 % 3, n % 3);
    };
    fill([](int, int, int) { return 7.0; });
    for (int n = 0; n < 27; ++n)
        EXPECT_TRUE(sameBits(gridNormal(grid, n / 9, n / 3 % 3, n % 3, 3, 3, 3), Vec3(0, 0, 0))) << n;

    fill([](int i, int j, int k) { return i * i + 3.0 * j + 5 * k * k; });
    EXPECT_TRUE(sameBits(gridNormal(grid, 0, 0, 0, 3, 3, 3), Vec3(1, 3, 5) / std::sqrt(35.0)));
    EXPECT_TRUE(sameBits(gridNormal(grid, 2, 2, 2, 3, 3, 3), Vec3(3, 3, 15) / std::sqrt(243.0)));
    EXPECT_TRUE(sameBits(gridNormal(grid, 1, 1, 1, 3, 3, 3), Vec3(4, 6, 20) / std::sqrt(452.0)));
}
