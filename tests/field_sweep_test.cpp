#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "density_grid.h"
#include "glstub.h"
#include "isosurface.h"
#include "mc_tables.h"

namespace {

double& at(double* grid, int i, int j, int k) { return grid[i * 1600 + j * 40 + k]; }
bool same(const Vec3& a, const Vec3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// ---- A deliberately plain sweep to hold the product's call stream against ----
struct RefCall {
    std::string_view fn;
    double v[3];
};
const int OFFSET[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};

// Grid value one step along `axis`, or the point's own value past the border.
double step(const int p[3], int axis, int by) {
    int q[3] = {p[0], p[1], p[2]};
    q[axis] += by;
    if (q[axis] < 0 || q[axis] > 39) q[axis] = p[axis];
    return at(densityGrid, q[0], q[1], q[2]);
}

void refFrame(double iso, std::vector<RefCall>& out) {
    for (int i = 0; i < 39; ++i)
        for (int j = 0; j < 39; ++j)
            for (int k = 0; k < 39; ++k) {
                const int cell[3] = {i, j, k};
                double val[8], pos[8][3], nrm[8][3];
                int index = 0;
                for (int n = 0; n < 8; ++n) {
                    val[n] = at(densityGrid, i + OFFSET[n][0], j + OFFSET[n][1], k + OFFSET[n][2]);
                    index |= (val[n] > iso) << n;
                }
                if (index == 0 || index == 255) continue;
                for (int n = 0; n < 8; ++n) {
                    const int p[3] = {i + OFFSET[n][0], j + OFFSET[n][1], k + OFFSET[n][2]};
                    double d[3];
                    for (int c = 0; c < 3; ++c) d[c] = step(p, c, 1) - step(p, c, -1);
                    const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                    for (int c = 0; c < 3; ++c) {
                        nrm[n][c] = len == 0 ? 0 : d[c] / len;
                        const double lo = cell[c] * 0.025, hi = (cell[c] + 1) * 0.025;
                        pos[n][c] = lo + OFFSET[n][c] * (hi - lo);
                    }
                }
                out.push_back({"glBegin", {double(GL_TRIANGLES)}});
                for (const int32_t* e = TRI_TABLE[index]; *e != -1; e += 3) {
                    RefCall tri[6];
                    for (int v = 0; v < 3; ++v) {
                        const int a = EDGE_CORNERS[e[v]][0], b = EDGE_CORNERS[e[v]][1];
                        const double t = (iso - val[a]) / (val[b] - val[a]);
                        tri[2 * v].fn = "glNormal3dv", tri[2 * v + 1].fn = "glVertex3dv";
                        for (int c = 0; c < 3; ++c) {
                            tri[2 * v].v[c] = (nrm[a][c] + nrm[b][c]) * 0.5;
                            tri[2 * v + 1].v[c] = pos[a][c] + (pos[b][c] - pos[a][c]) * t;
                        }
                    }
                    out.insert(out.end(), tri, tri + 6);
                }
                out.push_back({"glEnd", {}});
            }
}

}  // namespace

TEST(IsosurfaceSweep, MatchesPlainSweepBitForBitOverAWholePeriod) {
    fillDensityGrid();
    animTime = 0;
    double t = 0;
    std::vector<RefCall> want;
    std::size_t blocks = 0;
    for (int frame = 1; frame <= 210; ++frame) {
        glstub::reset();
        drawIsosurface();
        t += 0.03;
        ASSERT_EQ(animTime, t) << "frame " << frame;
        want.clear();
        refFrame(10 * std::sin(t) + 25, want);
        const auto& got = glstub::calls();
        ASSERT_EQ(got.size(), want.size()) << "frame " << frame;
        for (std::size_t n = 0; n < got.size(); ++n) {
            const int argc = got[n].fn == "glEnd" ? 0 : got[n].fn == "glBegin" ? 1 : 3;
            ASSERT_TRUE(got[n].fn == want[n].fn && got[n].argc == argc &&
                        std::memcmp(got[n].arg.data(), want[n].v, argc * sizeof(double)) == 0)
                << "frame " << frame << " call " << n << ": " << got[n].fn << ", expected " << want[n].fn;
            blocks += got[n].fn == "glBegin";
        }
        ASSERT_EQ(glstub::nonFiniteCount(), 0u) << "frame " << frame;
    }
    EXPECT_GT(blocks, 210u * 1000);
}

TEST(IsosurfaceSweep, OnlyCellsAroundAPointAboveIsoEmitInGridOrder) {
    for (double& v : densityGrid) v = 0;
    at(densityGrid, 5, 5, 5) = 100;
    at(densityGrid, 20, 20, 20) = 10 * std::sin(0.03) + 25;  // at iso: not above, so its cells stay silent
    animTime = 0;
    glstub::reset();
    drawIsosurface();
    EXPECT_EQ(glstub::nonFiniteCount(), 0u) << "flat corners must not produce NaN normals";
    const auto& calls = glstub::calls();
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
        for (int n = 0; n < 27; ++n) at(grid, n / 9, n / 3 % 3, n % 3) = f(n / 9, n / 3 % 3, n % 3);
    };
    fill([](int, int, int) { return 7.0; });
    for (int n = 0; n < 27; ++n) EXPECT_TRUE(same(gridNormal(grid, n / 9, n / 3 % 3, n % 3, 3, 3, 3), Vec3(0, 0, 0)));

    fill([](int i, int j, int k) { return i * i + 3.0 * j + 5 * k * k; });
    EXPECT_TRUE(same(gridNormal(grid, 0, 0, 0, 3, 3, 3), Vec3(1, 3, 5) / std::sqrt(35.0)));
    EXPECT_TRUE(same(gridNormal(grid, 2, 2, 2, 3, 3, 3), Vec3(3, 3, 15) / std::sqrt(243.0)));
    EXPECT_TRUE(same(gridNormal(grid, 1, 1, 1, 3, 3, 3), Vec3(4, 6, 20) / std::sqrt(452.0)));
}
