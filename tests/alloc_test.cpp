// Drawing frames must not touch the heap: every global allocation function is replaced here and counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "density_grid.h"
#include "glstub.h"
#include "isosurface.h"
#include "orbit_camera.h"
#include "platform_support.h"
#include "viewer.h"

namespace {
std::size_t allocations = 0;

// align 0: the default alignment, which malloc gives.
void* counted(std::size_t n, std::size_t align) noexcept {
    ++allocations;
    if (align == 0) return std::malloc(n ? n : 1);
    return alignedAllocate((n / align + 1) * align, align);  // a whole number of alignments, never 0
}
void* orThrow(void* p) {
    if (!p) throw std::bad_alloc();
    return p;
}
}  // namespace

// Every replaceable form, the over-aligned ones (for types declared alignas beyond the default) included. None is
// inlined, or the compiler sees malloc meet operator delete (or free meet operator new) and warns.
[[gnu::noinline]] void* operator new(std::size_t n) { return orThrow(counted(n, 0)); }
[[gnu::noinline]] void* operator new[](std::size_t n) { return orThrow(counted(n, 0)); }
[[gnu::noinline]] void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return counted(n, 0); }
[[gnu::noinline]] void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return counted(n, 0); }
[[gnu::noinline]] void* operator new(std::size_t n, std::align_val_t a) { return orThrow(counted(n, std::size_t(a))); }
[[gnu::noinline]] void* operator new[](std::size_t n, std::align_val_t a) { return orThrow(counted(n, std::size_t(a))); }
[[gnu::noinline]] void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
    return counted(n, std::size_t(a));
}
[[gnu::noinline]] void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
    return counted(n, std::size_t(a));
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::align_val_t) noexcept { alignedFree(p); }
[[gnu::noinline]] void operator delete[](void* p, std::align_val_t) noexcept { alignedFree(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t, std::align_val_t) noexcept { alignedFree(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { alignedFree(p); }

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
    // Direct calls, which unlike new-expressions may not be optimised away.
    EXPECT_EQ(allocationsDuring([] { ::operator delete(::operator new(8)); }), 1u);
    const std::align_val_t cacheLine{64};
    EXPECT_EQ(allocationsDuring([&] { ::operator delete(::operator new(8, cacheLine), cacheLine); }), 1u);
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
