#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "density_grid.h"

namespace {

double at(int i, int j, int k) { return densityGrid[i * 1600 + j * 40 + k]; }

// The field written out on its own; `scale3` forms source 3's coordinates from an index.
double field(int i, int j, int k, double (*scale3)(int)) {
    auto term = [](double x, double y, double z, double cxy, double cz, double weight) {
        x -= cxy, y -= cxy, z -= cz;
        return weight / ((z * z + y * y) + x * x);
    };
    const double x = i * 0.025, y = j * 0.025, z = k * 0.025, c3 = (100.0 / 3) / 40.0;
    return (term(x, y, z, 0.325, 0.325, 1.0) + term(x, y, z, 0.65, 0.65, 1.0)) +
           term(scale3(i), scale3(j), scale3(k), c3, 10.0 / 40.0, 0.5);
}
double divided(int n) { return n / 40.0; }
double multiplied(int n) { return n * 0.025; }

}  // namespace

TEST(DensityGrid, FillOverGarbageMatchesIndependentFieldBitForBit) {
    for (double& v : densityGrid) v = std::nan("");
    fillDensityGrid();
    int mismatches = 0, multiplyFormDiffers = 0;
    for (int n = 0; n < 64000; ++n) {
        const double want = field(n / 1600, n / 40 % 40, n % 40, divided);
        mismatches += std::memcmp(&want, &densityGrid[n], sizeof want) != 0;
        multiplyFormDiffers += field(n / 1600, n / 40 % 40, n % 40, multiplied) != want;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(multiplyFormDiffers, 0) << "source 3 must come from index / 40, which this grid tells apart";
}

TEST(DensityGrid, InfinitiesExtremesSamplesAndCounts) {
    fillDensityGrid();
    EXPECT_EQ(at(13, 13, 13), INFINITY);
    EXPECT_EQ(at(26, 26, 26), INFINITY);
    int lowest = 1, highest = 1, above[3] = {};
    for (int n = 0; n < 64000; ++n) {
        const double v = densityGrid[n];
        above[0] += v > 15, above[1] += v > 25, above[2] += v > 35;
        if (n == 13 * 1641 || n == 26 * 1641) continue;
        ASSERT_TRUE(std::isfinite(v) && v > 0) << "point " << n;
        lowest = v < densityGrid[lowest] ? n : lowest;
        highest = v > densityGrid[highest] ? n : highest;
    }
    EXPECT_EQ(lowest, 39);
    EXPECT_NEAR(densityGrid[lowest], 2.891012, 1e-6);
    EXPECT_EQ(highest, 33 * 1600 + 33 * 40 + 10);
    EXPECT_NEAR(densityGrid[highest], 3606.498, 1e-3);
    EXPECT_NEAR(at(0, 0, 0), 4.289271, 1e-6);
    EXPECT_NEAR(at(19, 19, 19), 27.32555, 1e-5);
    EXPECT_NEAR(at(13, 13, 12), 1603.959, 1e-3);
    EXPECT_EQ(above[0], 19431);
    EXPECT_EQ(above[1], 7691);
    EXPECT_EQ(above[2], 3911);
}
