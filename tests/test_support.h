#pragma once
// Helpers shared by the unit tests. Only vec.h and the GL stub are included, so any unit test can use it.
#include "gl.h"
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "glstub.h"
#include "vec.h"

using Calls = std::vector<glstub::Call>;

inline void expectVec(const Vec3& v, double x, double y, double z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}
inline bool sameBits(const Vec3& a, const Vec3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline Vec3 argVec(const glstub::Call& c) { return {c.arg[0], c.arg[1], c.arg[2]}; }

// Point (i, j, k) of a block laid out like the density grid.
inline double& gridAt(double* grid, int i, int j, int k) { return grid[i * 1600 + j * 40 + k]; }

// A field whose surface crosses all six faces of the grid; the real one reaches only two.
inline void fillWavyGrid(double* grid) {
    for (int n = 0; n < 64000; ++n) {
        const int i = n / 1600, j = n / 40 % 40, k = n % 40;
        grid[n] = 25 + 12 * std::sin(0.9 * i + 0.4) * std::cos(0.7 * j) + 9 * std::sin(0.5 * k);
    }
}

template <typename Draw>
Calls record(Draw draw) {
    glstub::reset();
    draw();
    return glstub::calls();
}

struct Expected {
    std::string_view fn;
    std::vector<double> args;
    std::string_view text = {};  // checked when given
};

// The calls from index `at` on are exactly `want`: names, argument counts and values, and texts where given.
inline void expectCalls(const Calls& calls, std::size_t at, const std::vector<Expected>& want) {
    ASSERT_GE(calls.size(), at + want.size());
    for (std::size_t n = 0; n < want.size(); ++n) {
        const glstub::Call& c = calls[at + n];
        SCOPED_TRACE(testing::Message() << "call " << at + n << " " << want[n].fn);
        EXPECT_EQ(c.fn, want[n].fn);
        if (!want[n].text.empty()) {
            EXPECT_EQ(c.text, want[n].text);
        }
        ASSERT_EQ(c.argc, int(want[n].args.size()));
        for (int a = 0; a < c.argc; ++a) EXPECT_EQ(c.arg[a], want[n].args[a]);
    }
}

// setupView's five calls for this aspect, eye, centre and up vector.
inline void expectView(const Calls& calls, std::size_t at, double aspect, const Vec3& e, const Vec3& c, const Vec3& u) {
    expectCalls(calls, at,
                {{"glMatrixMode", {GL_PROJECTION}}, {"glLoadIdentity", {}}, {"gluPerspective", {30, aspect, 1, 100}},
                 {"gluLookAt", {e.x, e.y, e.z, c.x, c.y, c.z, u.x, u.y, u.z}}, {"glMatrixMode", {GL_MODELVIEW}}});
}

// Index of the first call in which the streams differ in name, argument count or argument bits; -1 if none.
inline long firstDifference(const Calls& a, const Calls& b) {
    for (std::size_t n = 0; n < a.size() || n < b.size(); ++n)
        if (n == a.size() || n == b.size() || a[n].fn != b[n].fn || a[n].argc != b[n].argc ||
            std::memcmp(a[n].arg.data(), b[n].arg.data(), a[n].argc * sizeof(double)) != 0)
            return long(n);
    return -1;
}

inline glstub::Call plainCall(std::string_view fn, std::initializer_list<double> args) {
    glstub::Call c;
    c.fn = fn;
    for (double a : args) c.arg[c.argc++] = a;
    return c;
}
