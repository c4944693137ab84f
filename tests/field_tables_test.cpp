#include <map>
#include <set>

#include "mc_tables.h"
#include "test_support.h"

namespace {

bool isSet(int cubeIndex, int corner) { return (cubeIndex >> corner) & 1; }
bool isCut(int cubeIndex, int edge) {
    return isSet(cubeIndex, EDGE_CORNERS[edge][0]) != isSet(cubeIndex, EDGE_CORNERS[edge][1]);
}

}  // namespace

TEST(McTables, TablesAreThePublishedOnes) {
    const int offsets[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};
    const int32_t edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                  {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    EXPECT_EQ(0, std::memcmp(CORNER_OFFSET, offsets, sizeof offsets)) << "corner 2 is (1, 0, 1), corner 3 (0, 0, 1)";
    EXPECT_EQ(0, std::memcmp(EDGE_CORNERS, edges, sizeof edges)) << "edges interpolate from their first corner";

    uint32_t crc = 0xFFFFFFFFu;  // CRC-32 (IEEE) of the entries as little-endian int32
    long sum = 0;
    for (const auto& row : TRI_TABLE)
        for (int32_t v : row) {
            sum += v;
            for (int byte = 0; byte < 4; ++byte) {
                crc ^= (uint32_t(v) >> (8 * byte)) & 0xFFu;
                for (int b = 0; b < 8; ++b) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
            }
        }
    EXPECT_EQ(~crc, 0xE39B418Bu);
    EXPECT_EQ(sum, 11834);

    const std::map<int, std::vector<int>> telling = {
        {0, {}}, {1, {0, 8, 3}}, {2, {0, 1, 9}}, {3, {1, 8, 3, 9, 8, 1}}, {7, {2, 8, 3, 2, 10, 8, 10, 9, 8}},
        {8, {3, 11, 2}}, {15, {9, 8, 10, 10, 8, 11}}, {23, {2, 10, 9, 2, 9, 7, 2, 7, 3, 7, 9, 4}},
        {121, {2, 0, 7, 2, 7, 11, 0, 9, 7, 6, 7, 10, 9, 10, 7}}, {127, {7, 11, 6}}, {128, {7, 6, 11}},
        {240, {9, 10, 8, 10, 11, 8}}, {254, {0, 3, 8}}, {255, {}}};
    for (const auto& [row, entries] : telling) {
        EXPECT_EQ(std::vector<int>(TRI_TABLE[row], TRI_TABLE[row] + entries.size()), entries) << "row " << row;
        EXPECT_EQ(TRI_TABLE[row][entries.size()], -1) << "row " << row;
    }
}

// Row by row, so that a wrong entry is reported where it is.
TEST(McTables, EveryRowNamesItsCutEdgesIsTerminatedAndFacesTheClearCorners) {
    int histogram[6] = {};
    for (int n = 0; n < 256; ++n) {
        const int32_t* row = TRI_TABLE[n];
        int used = 0;
        while (used < 15 && row[used] != -1) ++used;
        ASSERT_EQ(used % 3, 0) << "row " << n;
        ++histogram[used / 3];
        for (int e = used; e < 16; ++e) EXPECT_EQ(row[e], -1) << "row " << n << " entry " << e;
        std::set<int> named(row, row + used), cut;
        for (int e = 0; e < 12; ++e)
            if (isCut(n, e)) cut.insert(e);
        EXPECT_EQ(named, cut) << "row " << n;

        for (int t = 0; t < used; t += 3) {
            double mid[3][3], away[3] = {};
            for (int v = 0; v < 3; ++v) {
                const int e = row[t + v], a = EDGE_CORNERS[e][0], b = EDGE_CORNERS[e][1];
                ASSERT_TRUE(e >= 0 && e < 12 && isCut(n, e)) << "row " << n;
                const int set = isSet(n, a) ? a : b, clear = a + b - set;
                for (int c = 0; c < 3; ++c) {
                    mid[v][c] = 0.5 * (CORNER_OFFSET[a][c] + CORNER_OFFSET[b][c]);
                    away[c] += CORNER_OFFSET[clear][c] - CORNER_OFFSET[set][c];
                }
            }
            double u[3], w[3];
            for (int c = 0; c < 3; ++c) u[c] = mid[1][c] - mid[0][c], w[c] = mid[2][c] - mid[0][c];
            const double facing = (u[1] * w[2] - u[2] * w[1]) * away[0] + (u[2] * w[0] - u[0] * w[2]) * away[1] +
                                  (u[0] * w[1] - u[1] * w[0]) * away[2];
            EXPECT_GT(facing, 0) << "row " << n << " triangle " << t / 3;
        }
    }
    EXPECT_EQ(std::vector<int>(histogram, histogram + 6), (std::vector<int>{2, 16, 50, 80, 76, 32}));
}
