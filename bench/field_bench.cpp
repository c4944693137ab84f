#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "accelerators.h"
#include "density_grid.h"
#include "isosurface.h"
#include "mc_tables.h"
#include "polygonizer.h"

namespace {

// One animation period of the iso level is 2 pi / 0.03 = 209.4 frames.
constexpr int PERIOD_FRAMES = 210;

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

// Each sweep called directly with the iso levels of the same period: the plain one and every accelerator that
// runs here.
void BM_sweep(benchmark::State& state, Sweep sweep) {
    fillDensityGrid();
    for (auto _ : state) {
        double t = 0;
        for (int frame = 0; frame < PERIOD_FRAMES; ++frame) {
            t += 0.03;
            sweep(densityGrid, 10 * std::sin(t) + 25);
        }
    }
    perItem(state, "frames", PERIOD_FRAMES);
}

// Every grid point once per iteration: interior points and all six borders in their natural proportion.
void BM_gridNormal(benchmark::State& state) {
    fillDensityGrid();
    for (auto _ : state) {
        for (int i = 0; i < GRID_N; ++i)
            for (int j = 0; j < GRID_N; ++j)
                for (int k = 0; k < GRID_N; ++k)
                    benchmark::DoNotOptimize(gridNormal(densityGrid, i, j, k));
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
                    c.values[n] = gridValue(i + CORNER_OFFSET[n][0], j + CORNER_OFFSET[n][1], k + CORNER_OFFSET[n][2]);
                    c.cubeIndex |= (c.values[n] > iso) << n;
                }
                if (c.cubeIndex == 0 || c.cubeIndex == 255) continue;
                for (int n = 0; n < 8; ++n)
                    c.normals[n] = gridNormal(densityGrid, i + CORNER_OFFSET[n][0], j + CORNER_OFFSET[n][1], k + CORNER_OFFSET[n][2]);
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

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("sweep/plain", BM_sweep, plainSweep)->Unit(benchmark::kMillisecond);
    for (const Accelerator& accelerator : accelerators())
        if (accelerator.runsHere())
            benchmark::RegisterBenchmark((std::string("sweep/") + accelerator.name).c_str(), BM_sweep,
                                         accelerator.sweep)
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
