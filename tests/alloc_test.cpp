// Drawing frames must not touch the heap: every global allocation function is replaced here and counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "density_grid.h"
#include "glstub.h"
#include "isosurface.h"
#include "orbit_camera.h"
#include "viewer.h"

namespace {
std::size_t allocations = 0;
}

// None of these is inlined, or the compiler sees malloc meet operator delete (or free meet operator new) and warns.
[[gnu::noinline]] void* operator new(std::size_t n) {
    ++allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t n) { return operator new(n); }
[[gnu::noinline]] void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(n ? n : 1);
}
[[gnu::noinline]] void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Allocations made while `run` goes, with the GL stub counting calls instead of recording them.
template <typename F>
std::size_t allocationsDuring(F run) {
    glstub::reset();
    glstub::setRecording(false);
    const std::size_t before = allocations;
    run();
    const std::size_t made = allocations - before;
    glstub::setRecording(true);
    return made;
}

TEST(NoAllocation, CountingWorks) {
    // A direct call, which unlike a new-expression may not be optimised away.
    EXPECT_EQ(allocationsDuring([] { ::operator delete(::operator new(8)); }), 1u);
}

TEST(NoAllocation, SweepOverTwoPeriods) {
    fillDensityGrid();
    animTime = 0;
    std::size_t calls = 0;
    EXPECT_EQ(allocationsDuring([&] {
                  for (int frame = 0; frame < 420; ++frame) drawIsosurface();
                  calls = glstub::callCount();
              }),
              0u);
    EXPECT_GT(calls, 420u * 10000) << "the frames drew nothing";
}

TEST(NoAllocation, DragEventsOfEveryMode) {
    fillDensityGrid();
    windowWidth = 640;
    windowHeight = 480;
    camera.reset(Vec3(0, 0, 0));
    lastMouseX = 320;
    lastMouseY = 240;
    std::size_t calls = 0;
    EXPECT_EQ(allocationsDuring([&] {
                  for (int mode : {DRAG_NONE, DRAG_ROTATE, DRAG_PAN, DRAG_ZOOM}) {
                      dragMode = mode;
                      for (int n = 0; n < 60; ++n) mouseMotion(320 + n % 7, 240 - n % 5);
                  }
                  calls = glstub::callCount();
              }),
              0u);
    EXPECT_GT(calls, 240u * 10000) << "the motion events drew no frames";
}

}  // namespace
