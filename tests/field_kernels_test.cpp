// The SSE2 and AVX builds of the field kernels against each other and against the plain cell polygonizer, bit
// for bit. drawIsosurface itself, whichever build it runs, is held against a plain sweep in the sweep tests.
#include <limits>

#include "density_grid.h"
#include "kernels.h"
#include "mc_tables.h"
#include "test_support.h"

namespace {

// Both builds sweep `frames` frames of the grid as it is; returns the calls each frame made, added up.
std::size_t expectSameSweeps(int frames) {
    std::size_t calls = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        const double isoLevel = 10 * std::sin(frame * 0.03) + 25;
        const Calls avx = record([&] { kernel_avx::sweep(densityGrid, isoLevel); });
        glstub::reset();
        kernel_sse2::sweep(densityGrid, isoLevel);
        EXPECT_EQ(firstDifference(glstub::calls(), avx), -1) << "frame " << frame;
        if (testing::Test::HasFailure()) break;
        calls += avx.size();
    }
    return calls;
}

TEST(FieldKernels, BothBuildsSweepAlikeOverAWholePeriodAndOnEveryFace) {
    if (!cpuHasAvx()) GTEST_SKIP() << "no AVX here: only the SSE2 build can run";
    fillDensityGrid();
    EXPECT_GT(expectSameSweeps(210), 210u * 10000);
    fillWavyGrid(densityGrid);
    EXPECT_GT(expectSameSweeps(2), 2u * 10000);
    fillDensityGrid();
}

TEST(FieldKernels, BothBuildsFillTheGridIdentically) {
    static DensityGrid sse2, avx;
    fillDensityGrid();
    kernel_sse2::fill(sse2);
    EXPECT_EQ(std::memcmp(sse2, densityGrid, sizeof sse2), 0);
    EXPECT_TRUE(std::isinf(gridAt(sse2, 13, 13, 13)) && std::isinf(gridAt(sse2, 26, 26, 26)));
    if (!cpuHasAvx()) GTEST_SKIP() << "no AVX here";
    kernel_avx::fill(avx);
    EXPECT_EQ(std::memcmp(avx, densityGrid, sizeof avx), 0);
}

TEST(FieldKernels, BothBuildsPolygonizeOddCellsLikeThePlainRendition) {
    const double inf = std::numeric_limits<double>::infinity();
    // A negative-zero corner (0 * size + -0 is +0), a huge and an infinite size, a zero normal, and corner
    // values at, above and below the level.
    const Vec3 lows[] = {{-0.0, 0.5, -0.0}, {1e300, -2, 3}, {0, 0, 0}};
    const Vec3 highs[] = {{0.025, 0.525, 0.025}, {-1e300, 5, 3.5}, {inf, 1, 1}};
    const Vec3 normals[8] = {{1, 0, 0},    {-1, 0, 0}, {0, 1, 0},      {0, 0, -1},
                             {0.6, 0.8, 0}, {0, 0, 0},  {0, -0.6, 0.8}, {1e-300, 0, 1}};
    decltype(&kernel_sse2::polygonize) builds[] = {kernel_sse2::polygonize, kernel_avx::polygonize};
    const double iso = 10.0;  // corners that sit exactly at the level count as below it
    for (int shape = 0; shape < 3; ++shape)
        for (int cube = 1; cube < 255; ++cube) {
            double values[8];
            for (int n = 0; n < 8; ++n) values[n] = cube >> n & 1 ? 20 + n * 3.7 : (n % 3 ? 2.5 * n : 10.0);
            const Vec3 &lo = lows[shape], &hi = highs[shape];
            Calls want;
            plainCell(lo, hi, values, normals, TRI_TABLE[cube], iso, want);
            for (int b = 0; b < (cpuHasAvx() ? 2 : 1); ++b) {
                const Calls got = record([&] { builds[b](lo, hi, values, normals, TRI_TABLE[cube], iso); });
                ASSERT_EQ(firstDifference(got, want), -1)
                    << (b ? "avx" : "sse2") << " shape " << shape << " cube " << cube;
            }
        }
}

}  // namespace
