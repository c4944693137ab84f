#pragma once
#include <cstdint>

// Edge e joins corner EDGE_CORNERS[e][0] to EDGE_CORNERS[e][1]; vertices interpolate from the first.
extern const int32_t EDGE_CORNERS[12][2];
// Row cubeIndex: edge triples, one per triangle, then -1 to the end of the row.
extern const int32_t TRI_TABLE[256][16];
