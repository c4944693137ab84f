// The bits of everything the program computes, hashed: the density grid, a period's worth of frames at iso levels
// fixed in advance, and a scripted camera session through the shell's callbacks. Every processor, compiler and C
// library we build for must give these same values, natively and under emulation; a deliberate change of output
// updates them here. The animation's own iso levels come from the C library's sin, which rounds differently in the
// last bit from one library to another, and so do the orbits' sin and cos: their frames and views are held to one
// value per library (platform_support.h).
#include "density_grid.h"
#include "isosurface.h"
#include "platform_support.h"
#include "shell_fixture.h"
#include "viewer.h"

#include "gl.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// FNV-1a, fed least significant byte first so that big- and little-endian machines agree.
class Hash {
public:
    void add(uint64_t bits) {
        for (int shift = 0; shift < 64; shift += 8) value = (value ^ (bits >> shift & 0xff)) * 1099511628211u;
    }
    void add(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        add(bits);
    }
    // Name, argument count and arguments of every call recorded since the last reset, but for the surface's
    // vertices and normals where withSurface is false; then resets the stub.
    void addCalls(bool withSurface = true) {
        for (const glstub::Call& c : glstub::calls()) {
            if (!withSurface && (c.fn == "glVertex3dv" || c.fn == "glNormal3dv")) continue;
            for (char ch : c.fn) add(uint64_t(uint8_t(ch)));
            add(uint64_t(c.argc));
            for (int a = 0; a < c.argc; ++a) add(c.arg[a]);
        }
        glstub::reset();
    }
    // The value in hex, also printed, so that a run on another machine shows it even when it passes.
    std::string report(const char* what) const {
        char text[17];
        std::snprintf(text, sizeof text, "%016" PRIx64, value);
        std::printf("fingerprint %s %s\n", what, text);
        return text;
    }

private:
    uint64_t value = 14695981039346656037u;
};

using Fingerprint = ShellTest;

TEST_F(Fingerprint, Grid) {
    Hash hash;
    for (double v : densityGrid) hash.add(v);
    EXPECT_EQ(hash.report("grid"), "1262688a63867234");
}

// As many frames as a period of the animation has, at iso levels that every platform computes alike, across the
// animation's range, and through the sweep that this processor runs.
TEST_F(Fingerprint, FramesAtFixedIsoLevels) {
    Hash hash;
    for (int frame = 0; frame < 210; ++frame) {
        chosenSweep()(densityGrid, 15.0 + frame * (20.0 / 209));
        hash.addCalls();
    }
    EXPECT_EQ(hash.report("frames"), "3824a23c23d35e37");
}

// A whole period of the animation itself: the steps of animTime and the iso levels its sin gives.
TEST_F(Fingerprint, WholePeriodOfTheAnimation) {
    Hash hash;
    animTime = 0;
    for (int frame = 0; frame < 210; ++frame) {
        drawIsosurface();
        hash.addCalls();
    }
    EXPECT_EQ(hash.report("animation"), WHOLE_PERIOD_FINGERPRINT);
}

// Orbits over the top, pans, zooms through the centre and out behind it, and animates; every motion event draws.
// The surface of each frame is the animation's, held above; here everything else counts, the views above all.
TEST_F(Fingerprint, CameraSession) {
    struct Drag {
        int button, modifiers, x0, y0, dx, dy, steps;
    };
    const Drag script[] = {{GLUT_LEFT_BUTTON, GLUT_ACTIVE_SHIFT, 300, 200, -37, 61, 12},
                           {GLUT_MIDDLE_BUTTON, GLUT_ACTIVE_SHIFT, 100, 400, 23, -9, 6},
                           {GLUT_RIGHT_BUTTON, GLUT_ACTIVE_SHIFT, 10, 240, 170, 3, 8},
                           {GLUT_LEFT_BUTTON, 0, 320, 240, 5, 5, 6}};
    Hash hash;
    animTime = 0;
    reshape(800, 600);
    hash.addCalls(false);
    for (const Drag& d : script) {
        glstub::setModifiers(d.modifiers);
        mouseButton(d.button, GLUT_DOWN, d.x0, d.y0);
        for (int n = 1; n <= d.steps; ++n) {
            mouseMotion(d.x0 + n * d.dx, d.y0 + n * d.dy);
            hash.addCalls(false);
        }
        mouseButton(d.button, GLUT_UP, d.x0 + d.steps * d.dx, d.y0 + d.steps * d.dy);
        hash.addCalls(false);
    }
    EXPECT_EQ(hash.report("camera"), CAMERA_SESSION_FINGERPRINT);
}

}  // namespace
