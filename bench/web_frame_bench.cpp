// Where the browser build's frame goes before WebGL has it: the sweep alone, then the sweep with the GL layer
// recording the geometry (the GPU transforms and lights it later), a period of frames each. Built natively with the
// benchmarks and with emscripten (tools/webbench runs it under node, whose WebAssembly is Chromium's); it needs no
// Google Benchmark, which emscripten lacks. Prints "sweep MS" and "recorded MS", the medians of seven periods, in ms
// per frame.
#include "density_grid.h"
#include "isosurface.h"
#include "pipeline.h"
#include "pipeline_sink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int PERIOD_FRAMES = 210, RUNS = 7;

// The viewer's state, as its start-up and first frame set it.
void setUpLikeTheViewer(webgl::Pipeline& gl) {
    const float ambient[4] = {0.5f, 0.5f, 0.5f, 1}, white[4] = {1, 1, 1, 1};
    const float positions[3][4] = {{-14, 13, 13, 1}, {15, 17, -20, 1}, {-12, -8, 12, 1}};
    const float diffuse[3][4] = {{0.2f, 0.3f, 0.2f, 1}, {0.3f, 0.3f, 0.3f, 1}, {0.3f, 0.3f, 0.2f, 1}};
    gl.viewport(0, 0, 640, 480);
    const uint32_t caps[] = {webgl::CAP_LIGHT0, webgl::CAP_LIGHT0 + 1, webgl::CAP_LIGHT0 + 2, webgl::CAP_LIGHTING,
                             webgl::CAP_DEPTH_TEST};
    for (uint32_t cap : caps) gl.enable(cap, true);
    gl.material(webgl::FACE_FRONT_AND_BACK, webgl::PARAM_AMBIENT, ambient);
    gl.material(webgl::FACE_FRONT_AND_BACK, webgl::PARAM_DIFFUSE, white);
    for (int n = 0; n < 3; ++n) {
        gl.light(webgl::CAP_LIGHT0 + n, webgl::PARAM_POSITION, positions[n]);
        gl.light(webgl::CAP_LIGHT0 + n, webgl::PARAM_DIFFUSE, diffuse[n]);
    }
    Mat4 projection;
    webgl::perspectiveMatrix(30, 640.0 / 480.0, 1, 100, projection);
    gl.matrixMode(webgl::MATRIX_PROJECTION);
    gl.multiply(projection);
    gl.multiply(webgl::lookAtRotation(0, 0, 10, 0, 0, 0, 0, 1, 0));
    gl.multiply(translation(Vec3(0, 0, -10)));
    gl.matrixMode(webgl::MATRIX_MODELVIEW);
    gl.multiply(translation(Vec3(-0.5, -0.5, -0.5)));
}

// Milliseconds per frame over a period, the iso level swinging through its range as the animation's does.
double periodMs(webgl::Pipeline* recorder) {
    pipelineSink = recorder;
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < PERIOD_FRAMES; ++frame) {
        if (recorder) recorder->clear(0x4100);
        chosenSweep()(densityGrid, 15.0 + frame * (20.0 / (PERIOD_FRAMES - 1)));
        if (recorder) recorder->presentFrame();
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / PERIOD_FRAMES;
}

double median(double (&runs)[RUNS]) {
    std::sort(runs, runs + RUNS);
    return runs[RUNS / 2];
}

}  // namespace

int main() {
    fillDensityGrid();
    static webgl::Pipeline gl;
    setUpLikeTheViewer(gl);
    double sweep[RUNS], recorded[RUNS];
    for (int run = 0; run < RUNS; ++run) {  // alternating, so that both see the same machine
        sweep[run] = periodMs(nullptr);
        recorded[run] = periodMs(&gl);
    }
    std::printf("sweep %.3f\nrecorded %.3f\n", median(sweep), median(recorded));
    return 0;
}
