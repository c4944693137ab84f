#include "accelerators.h"
#include "density_grid.h"
#include "isosurface.h"
#include "mc_tables.h"
#include "test_support.h"

#include <algorithm>

namespace {

// Past the border of the grid, the point itself.
double clampedAt(int i, int j, int k) {
    return gridAt(densityGrid, std::clamp(i, 0, 39), std::clamp(j, 0, 39), std::clamp(k, 0, 39));
}

int cubeIndexOf(int i, int j, int k, double iso) {
    int cube = 0;
    for (int n = 0; n < 8; ++n)
        cube |= (clampedAt(i + CORNER_OFFSET[n][0], j + CORNER_OFFSET[n][1], k + CORNER_OFFSET[n][2]) > iso) << n;
    return cube;
}

// The block of one crossed cell worked out from the formulas, in the order in which they are written: gradients
// of the clamped neighbours over their length, corners at min + offset * (max - min), each vertex interpolated
// from its edge's first corner, each normal the mean of the edge's corner normals.
Calls workedCell(int i, int j, int k, double iso) {
    const int cell[3] = {i, j, k};
    double value[8], normal[8][3], position[8][3];
    for (int n = 0; n < 8; ++n) {
        const int* o = CORNER_OFFSET[n];
        const int x = i + o[0], y = j + o[1], z = k + o[2];
        value[n] = clampedAt(x, y, z);
        const double d[3] = {clampedAt(x + 1, y, z) - clampedAt(x - 1, y, z),
                             clampedAt(x, y + 1, z) - clampedAt(x, y - 1, z),
                             clampedAt(x, y, z + 1) - clampedAt(x, y, z - 1)};
        const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int c = 0; c < 3; ++c) {
            normal[n][c] = d[c] / length;
            position[n][c] = cell[c] * 0.025 + o[c] * ((cell[c] + 1) * 0.025 - cell[c] * 0.025);
        }
    }
    Calls out{plainCall("glBegin", {GL_TRIANGLES})};
    for (const int32_t* e = TRI_TABLE[cubeIndexOf(i, j, k, iso)]; *e != -1; ++e) {
        const int a = EDGE_CORNERS[*e][0], b = EDGE_CORNERS[*e][1];
        const double t = (iso - value[a]) / (value[b] - value[a]);
        double n[3], p[3];
        for (int c = 0; c < 3; ++c) {
            n[c] = (normal[a][c] + normal[b][c]) * 0.5;
            p[c] = position[a][c] + (position[b][c] - position[a][c]) * t;
        }
        out.push_back(plainCall("glNormal3dv", {n[0], n[1], n[2]}));
        out.push_back(plainCall("glVertex3dv", {p[0], p[1], p[2]}));
    }
    out.push_back(plainCall("glEnd", {}));
    return out;
}

// The calls of `sweep` held against plainSweep's for `frames` frames from the first; returns the calls compared.
std::size_t expectSameAsPlainSweep(Sweep sweep, int frames) {
    std::size_t compared = 0;
    double t = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        t += 0.03;
        const double iso = 10 * std::sin(t) + 25;
        const Calls want = record([&] { plainSweep(densityGrid, iso); });
        EXPECT_EQ(glstub::nonFiniteCount(), 0u) << "frame " << frame;
        glstub::reset();
        sweep(densityGrid, iso);
        const long differs = firstDifference(glstub::calls(), want);
        EXPECT_EQ(differs, -1) << "frame " << frame << ": first differing call";
        if (differs != -1) return 0;
        compared += want.size();
    }
    return compared;
}

}  // namespace

// The real field's first and last crossed cells lie inside the grid; those of the wavy one lie on its lower and
// upper x and y faces, where the normals are one-sided.
TEST(IsosurfaceSweep, FirstAndLastCellOfAFrameAreTheWorkedOutOnes) {
    const double iso = 10 * std::sin(0.03) + 25;
    for (void (*fill)() : {fillDensityGrid, +[] { fillWavyGrid(densityGrid); }}) {
        fill();
        int first = -1, last = -1;
        for (int n = 0; n < 39 * 39 * 39; ++n) {
            const int cube = cubeIndexOf(n / 1521, n / 39 % 39, n % 39, iso);
            if (cube == 0 || cube == 255) continue;
            first = first < 0 ? n : first;
            last = n;
        }
        ASSERT_GE(first, 0);
        const Calls frame = record([&] { plainSweep(densityGrid, iso); });
        const Calls head = workedCell(first / 1521, first / 39 % 39, first % 39, iso);
        const Calls tail = workedCell(last / 1521, last / 39 % 39, last % 39, iso);
        ASSERT_GT(frame.size(), head.size() + tail.size());
        EXPECT_EQ(firstDifference(Calls(frame.begin(), frame.begin() + head.size()), head), -1) << "first cell";
        EXPECT_EQ(firstDifference(Calls(frame.end() - tail.size(), frame.end()), tail), -1) << "last cell";
    }
    fillDensityGrid();
}

// Each accelerator built here that this processor runs, against the yardstick: a whole period of the real field;
// three levels far above the animation's, where the surface closes round the grid's two infinite points, so that
// normals beside them divide infinity by infinity and edges to them interpolate towards infinity; and two frames of
// a field that crosses every face of the grid, where the normals are one-sided, with every seventh point exactly at
// the level of one of the two frames, which is not above it.
TEST(IsosurfaceSweep, AcceleratorsDrawWhatThePlainSweepDraws) {
    int ran = 0;
    for (const Accelerator& accelerator : accelerators()) {
        if (!accelerator.runsHere()) continue;
        SCOPED_TRACE(accelerator.name);
        fillDensityGrid();
        EXPECT_GT(expectSameAsPlainSweep(accelerator.sweep, 210), 210u * 10000);
        for (double iso : {800.0, 1600.0, 1e4}) {
            const Calls want = record([&] { plainSweep(densityGrid, iso); });
            EXPECT_GT(glstub::nonFiniteCount(), 0u) << "iso level " << iso;
            glstub::reset();
            accelerator.sweep(densityGrid, iso);
            EXPECT_EQ(firstDifference(glstub::calls(), want), -1) << "iso level " << iso << ": first differing call";
        }
        fillWavyGrid(densityGrid);
        for (int n = 0; n < 64000; n += 7) densityGrid[n] = 10 * std::sin(n % 2 ? 0.03 : 0.03 + 0.03) + 25;
        EXPECT_GT(expectSameAsPlainSweep(accelerator.sweep, 2), 2u * 10000);
        ++ran;
    }
    fillDensityGrid();
#if defined(__x86_64__) || defined(_M_X64)
    EXPECT_GE(ran, 1) << "x86-64 builds at least the SSE2 sweep";
#endif
    if (ran == 0) GTEST_SKIP() << "no accelerator for this processor: it runs the plain sweep";
}

TEST(IsosurfaceSweep, DrawAdvancesTheAnimationAndDrawsThatFramesSurface) {
    fillDensityGrid();
    animTime = 0;
    double t = 0;
    for (int frame = 1; frame <= 3; ++frame) {
        const Calls drawn = record(drawIsosurface);
        t += 0.03;
        EXPECT_EQ(animTime, t);
        EXPECT_EQ(firstDifference(drawn, record([&] { plainSweep(densityGrid, 10 * std::sin(t) + 25); })), -1);
    }
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
    static DensityGrid grid;
    for (double& v : grid) v = 7.0;
    for (int p : {0, 1, 38, 39}) EXPECT_TRUE(sameBits(gridNormal(grid, p, 39 - p, p), Vec3(0, 0, 0))) << p;

    for (int n = 0; n < 64000; ++n) grid[n] = (n / 1600) * (n / 1600) + 3.0 * (n / 40 % 40) + 5 * (n % 40) * (n % 40);
    EXPECT_TRUE(sameBits(gridNormal(grid, 0, 0, 0), Vec3(1, 3, 5) / std::sqrt(35.0)));
    EXPECT_TRUE(sameBits(gridNormal(grid, 39, 39, 39), Vec3(77, 3, 385) / std::sqrt(154163.0)));
    EXPECT_TRUE(sameBits(gridNormal(grid, 1, 1, 1), Vec3(4, 6, 20) / std::sqrt(452.0)));
}
