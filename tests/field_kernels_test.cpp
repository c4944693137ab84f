// The SSE2 and AVX builds of the field kernels against each other and against plain renditions, bit for bit.
// drawIsosurface itself, whichever build it runs, is held against a plain sweep in the sweep tests.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "density_grid.h"
#include "glstub.h"
#include "isosurface.h"
#include "kernels.h"
#include "mc_tables.h"
#include "polygonizer.h"

namespace {

using Stream = std::vector<glstub::Call>;

template <typename F>
const Stream& record(F draw) {
    glstub::reset();
    draw();
    return glstub::calls();
}

// Same calls with the same argument bits; the first difference is reported.
void expectSameStream(const Stream& got, const Stream& want, const char* what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t n = 0; n < got.size(); ++n)
        ASSERT_TRUE(got[n].fn == want[n].fn && got[n].argc == want[n].argc &&
                    std::memcmp(got[n].arg.data(), want[n].arg.data(), sizeof got[n].arg) == 0)
            << what << ": call " << n << " " << got[n].fn;
}

// drawIsosurface runs the AVX build wherever the processor has AVX, so this holds the SSE2 build against it.
TEST(FieldKernels, SseBuildSweepsLikeDrawIsosurfaceOverAWholePeriod) {
    if (!cpuHasAvx()) GTEST_SKIP() << "no AVX here: drawIsosurface runs the SSE2 build itself";
    fillDensityGrid();
    animTime = 0;
    std::size_t calls = 0;
    for (int frame = 1; frame <= 210; ++frame) {
        const Stream product = record(drawIsosurface);  // a copy: the stub's stream is reused below
        const double isoLevel = 10 * std::sin(animTime) + 25;
        SCOPED_TRACE(frame);
        expectSameStream(record([&] { kernel_sse2::sweep(densityGrid, isoLevel); }), product, "sse2");
        if (HasFatalFailure()) return;
        calls += product.size();
    }
    EXPECT_GT(calls, 210u * 10000);
}

TEST(FieldKernels, BothBuildsFillTheGridIdentically) {
    static DensityGrid sse2, avx;
    fillDensityGrid();
    kernel_sse2::fill(sse2);
    EXPECT_EQ(std::memcmp(sse2, densityGrid, sizeof sse2), 0);
    EXPECT_TRUE(std::isinf(sse2[13 * 1600 + 13 * 40 + 13]) && std::isinf(sse2[26 * 1600 + 26 * 40 + 26]));
    if (!cpuHasAvx()) GTEST_SKIP() << "no AVX here";
    kernel_avx::fill(avx);
    EXPECT_EQ(std::memcmp(avx, densityGrid, sizeof avx), 0);
}

// The cell polygonizer as written out in the plain way, for inputs the sweep never makes.
Stream plainCell(const Vec3& lo, const Vec3& hi, const double values[8], const Vec3 normals[8], const int32_t* row,
                 double iso) {
    const Vec3 size = hi - lo;
    const int bits[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};
    Vec3 p[8];
    for (int n = 0; n < 8; ++n)
        p[n] = lo + Vec3(double(bits[n][0]) * size.x, double(bits[n][1]) * size.y, double(bits[n][2]) * size.z);
    return record([&] {
        glBegin(GL_TRIANGLES);
        for (const int32_t* e = row; *e != -1; e += 3) {
            Vec3 position[3], normal[3];
            for (int v = 0; v < 3; ++v) {
                const int a = EDGE_CORNERS[e[v]][0], b = EDGE_CORNERS[e[v]][1];
                position[v] = interpolateEdge(p[a], p[b], values[a], values[b], iso);
                normal[v] = (normals[a] + normals[b]) * 0.5;
            }
            for (int v = 0; v < 3; ++v) {
                glNormal3dv(normal[v].data());
                glVertex3dv(position[v].data());
            }
        }
        glEnd();
    });
}

TEST(FieldKernels, BothBuildsPolygonizeOddCellsLikeThePlainRendition) {
    const double inf = std::numeric_limits<double>::infinity();
    // A negative-zero corner (0 * size + -0 is +0), a huge and an infinite size, a zero normal, and corner
    // values at, above and below the level.
    const Vec3 lows[] = {{-0.0, 0.5, -0.0}, {1e300, -2, 3}, {0, 0, 0}};
    const Vec3 highs[] = {{0.025, 0.525, 0.025}, {-1e300, 5, 3.5}, {inf, 1, 1}};
    const Vec3 normals[8] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {0.6, 0.8, 0}, {0, 0, 0}, {0, -0.6, 0.8}, {1e-300, 0, 1}};
    for (int shape = 0; shape < 3; ++shape)
        for (int cube = 1; cube < 255; ++cube) {
            double values[8];
            for (int n = 0; n < 8; ++n) values[n] = cube >> n & 1 ? 20 + n * 3.7 : (n % 3 ? 2.5 * n : 10.0);
            const double iso = 10.0;  // corners that sit exactly at the level count as below it
            const Stream want = plainCell(lows[shape], highs[shape], values, normals, TRI_TABLE[cube], iso);
            SCOPED_TRACE(cube);
            expectSameStream(record([&] {
                                 kernel_sse2::polygonize(lows[shape], highs[shape], values, normals, TRI_TABLE[cube], iso);
                             }),
                             want, "sse2");
            if (cpuHasAvx())
                expectSameStream(record([&] {
                                     kernel_avx::polygonize(lows[shape], highs[shape], values, normals,
                                                            TRI_TABLE[cube], iso);
                                 }),
                                 want, "avx");
            if (HasFatalFailure()) return;
        }
}

}  // namespace
