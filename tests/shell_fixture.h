#pragma once
// The shell's globals back at their start-up values before each test, over a filled field.
#include <gtest/gtest.h>

#include "density_grid.h"
#include "glstub.h"
#include "orbit_camera.h"
#include "viewer.h"

#include <cstring>

// The same camera to the last bit of every field.
inline bool sameCamera(const OrbitCamera& a, const OrbitCamera& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class ShellTest : public testing::Test {
protected:
    static void SetUpTestSuite() { fillDensityGrid(); }
    void SetUp() override {
        glstub::reset();
        camera.reset(Vec3(0, 0, 0));
        windowWidth = 640;
        windowHeight = 480;
        dragMode = DRAG_NONE;
        windowPlaced = false;
    }
};
