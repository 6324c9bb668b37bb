// The GL layer's frame pass natively (ES 3 on llvmpipe, Mesa's surfaceless
// EGL) at the steady pour: milliseconds a frame with the drops drawn as
// instances and drawn one by one, in one run. Figures to read, never a pass
// or fail. Usage: layer_frame_benchmark [FRAMES]
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/animation_tick.h"
#include "scene/display.h"
#include "tests/frame/egl_frame.h"
#include "tests/frame/frame_rows.h"
#include "web/gl/gl_layer.h"

namespace {

constexpr int STEADY_STEPS = 60;    // the live count settles after about 30
constexpr int DEFAULT_FRAMES = 20;  // timed a way
constexpr int WARM_FRAMES = 3;      // untimed, first
constexpr int ES_MAJOR = 3;

using Finish = void (*)();

// Median milliseconds of `frames` frame passes, each through to glFinish.
double medianFrameMs(int frames, long& instancesPerFrame) {
    const auto finish = reinterpret_cast<Finish>(eglframe::procAddress("glFinish"));
    for (int i = 0; i < WARM_FRAMES; ++i) display();
    finish();
    gl_layer::takeInstancedDropCount();
    std::vector<double> ms;
    for (int i = 0; i < frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        display();
        finish();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                start).count());
    }
    instancesPerFrame = gl_layer::takeInstancedDropCount() / frames;
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : DEFAULT_FRAMES;
    std::string error;
    eglframe::makeCurrent(eglframe::Api::ES, framerows::FRAME_WIDTH, framerows::FRAME_HEIGHT,
                          error);
    if (!error.empty() || !gl_layer::start(eglframe::procAddress, ES_MAJOR, false) ||
        !framerows::startProgram(WATERFALL_DATA_DIR)) {
        std::fprintf(stderr, "no ES context, layer or data: %s\n", error.c_str());
        return 1;
    }
    framerows::onSwapBuffers = gl_layer::flush;
    for (int i = 0; i < STEADY_STEPS; ++i) advancePour();
    std::printf("GL layer on llvmpipe, steady pour, median of %d frames:\n", frames);
    for (const bool instanced : {true, false}) {
        gl_layer::setInstancedDrops(instanced);
        long instances = 0;
        const double ms = medianFrameMs(frames, instances);
        std::printf("  drops %-12s %7.2f ms a frame (%ld drops a frame as instances)\n",
                    instanced ? "as instances" : "one by one", ms, instances);
    }
    return 0;
}
