#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "density_grid.h"
#include "isosurface.h"
#include "kernels.h"
#include "mc_tables.h"
#include "polygonizer.h"

namespace {

// One animation period of the iso level is 2 pi / 0.03 = 209.4 frames.
constexpr int PERIOD_FRAMES = 210;

const int CORNER[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}};

// Reports how many frames or calls one iteration makes, and the CPU time of one of them.
void perItem(benchmark::State& state, const char* what, double count) {
    state.counters[what] = count;
    state.counters["cpu_each"] =
        benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

double gridValue(int i, int j, int k) { return densityGrid[i * 1600 + j * 40 + k]; }

void BM_fillDensityGrid(benchmark::State& state) {
    for (auto _ : state) {
        fillDensityGrid();
        benchmark::DoNotOptimize(densityGrid);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_fillDensityGrid)->Unit(benchmark::kMicrosecond);

// Each iteration draws a whole period from the first frame on, so every iso level weighs the same.
void BM_drawIsosurface(benchmark::State& state) {
    fillDensityGrid();
    for (auto _ : state) {
        animTime = 0;
        for (int frame = 0; frame < PERIOD_FRAMES; ++frame) drawIsosurface();
    }
    perItem(state, "frames", PERIOD_FRAMES);
}
BENCHMARK(BM_drawIsosurface)->Unit(benchmark::kMillisecond);

// The two builds of the sweep called directly with the iso levels of the same period, AVX only where it runs.
template <void (*SWEEP)(const double*, double)>
void BM_sweepBuild(benchmark::State& state) {
    fillDensityGrid();
    if (SWEEP == kernel_avx::sweep && !cpuHasAvx()) state.SkipWithError("no AVX on this processor");
    for (auto _ : state) {
        double t = 0;
        for (int frame = 0; frame < PERIOD_FRAMES; ++frame) {
            t += 0.03;
            SWEEP(densityGrid, 10 * std::sin(t) + 25);
        }
    }
    perItem(state, "frames", PERIOD_FRAMES);
}
BENCHMARK(BM_sweepBuild<kernel_sse2::sweep>)->Name("sweep/sse2")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_sweepBuild<kernel_avx::sweep>)->Name("sweep/avx")->Unit(benchmark::kMillisecond);

template <void (*FILL)(double*)>
void BM_fillBuild(benchmark::State& state) {
    if (FILL == kernel_avx::fill && !cpuHasAvx()) state.SkipWithError("no AVX on this processor");
    for (auto _ : state) {
        FILL(densityGrid);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_fillBuild<kernel_sse2::fill>)->Name("fill/sse2")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_fillBuild<kernel_avx::fill>)->Name("fill/avx")->Unit(benchmark::kMicrosecond);

// Every grid point once per iteration: interior points and all six borders in their natural proportion.
void BM_gridNormal(benchmark::State& state) {
    fillDensityGrid();
    for (auto _ : state) {
        for (int i = 0; i < GRID_N; ++i)
            for (int j = 0; j < GRID_N; ++j)
                for (int k = 0; k < GRID_N; ++k)
                    benchmark::DoNotOptimize(gridNormal(densityGrid, i, j, k, GRID_N, GRID_N, GRID_N));
    }
    perItem(state, "calls", GRID_N * GRID_N * GRID_N);
}
BENCHMARK(BM_gridNormal)->Unit(benchmark::kMicrosecond);

// The crossed cells of a mid-range frame, with the inputs the sweep would hand over.
struct CellInput {
    Vec3 minCorner, maxCorner;
    double values[8];
    Vec3 normals[8];
    int cubeIndex;
};

std::vector<CellInput> crossedCells(double iso) {
    std::vector<CellInput> cells;
    for (int i = 0; i < GRID_N - 1; ++i)
        for (int j = 0; j < GRID_N - 1; ++j)
            for (int k = 0; k < GRID_N - 1; ++k) {
                CellInput c{};
                for (int n = 0; n < 8; ++n) {
                    c.values[n] = gridValue(i + CORNER[n][0], j + CORNER[n][1], k + CORNER[n][2]);
                    c.cubeIndex |= (c.values[n] > iso) << n;
                }
                if (c.cubeIndex == 0 || c.cubeIndex == 255) continue;
                for (int n = 0; n < 8; ++n)
                    c.normals[n] = gridNormal(densityGrid, i + CORNER[n][0], j + CORNER[n][1], k + CORNER[n][2],
                                              GRID_N, GRID_N, GRID_N);
                c.minCorner = Vec3(i * CELL_SIZE, j * CELL_SIZE, k * CELL_SIZE);
                c.maxCorner = Vec3((i + 1) * CELL_SIZE, (j + 1) * CELL_SIZE, (k + 1) * CELL_SIZE);
                cells.push_back(c);
            }
    return cells;
}

void BM_polygonizeCell(benchmark::State& state) {
    fillDensityGrid();
    const double iso = 25;
    const std::vector<CellInput> cells = crossedCells(iso);
    for (auto _ : state)
        for (const CellInput& c : cells)
            polygonizeCell(c.minCorner, c.maxCorner, c.values, c.normals, TRI_TABLE[c.cubeIndex], iso);
    perItem(state, "calls", double(cells.size()));
}
BENCHMARK(BM_polygonizeCell)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
