#pragma once
#include <cstdint>

// A cell spans one grid step on each axis. Corner n sits at CORNER_OFFSET[n] = (dx, dy, dz) grid steps from the
// cell's lowest corner, dx along the grid's first index (x), dy along the second (y), dz along the third (z):
//
//          4 ------ 5
//         /|       /|     corners 0-3 go round the face dy = 0, corners 4-7 round the face dy = 1,
//        7 ------ 6 |     corner n + 4 directly above corner n.
//        | 0 -----|-1
//        |/       |/        y
//        3 ------ 2         |__ x
//                          /
//                         z
//
// Bit n of a cell's cubeIndex is set when the field at corner n is strictly above the iso level.
inline constexpr int CORNER_OFFSET[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1},
                                            {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};

// Edge e joins corner EDGE_CORNERS[e][0] to EDGE_CORNERS[e][1], and its vertex is interpolated from the first
// towards the second. Edges 0-3 go round the face dy = 0, edges 4-7 round the face dy = 1, and edge 8 + n joins
// corner n to corner n + 4.
inline constexpr int32_t EDGE_CORNERS[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                                {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// Row cubeIndex: the triangles to draw for that classification, as triples of edge numbers, then -1 to the end
// of the row (entry 15 is always -1). Each triangle winds counter-clockwise seen from the side of the clear
// corners.
extern const int32_t TRI_TABLE[256][16];
