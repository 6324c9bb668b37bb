// The frame pass in a real window on a private Xvfb (Mesa's software
// renderer): the program's scene built by its own start-up, the pour stepped
// to its steady state, then frames drawn the program's way (the compiled
// sphere, back faces culled) and the direct way (gluSphere for every drop,
// nothing culled), alternately. Reports milliseconds per frame for both,
// wall clock and process CPU, their ratio, and how many pixels the two
// frames have apart. Figures only: it never fails on time, only on frames
// further apart than the pixel identity test allows.
//
//   frame_benchmark [frames]        frames of each way to time (default 12)
//   frame_benchmark --once WAY      one frame of WAY (compiled or direct) at
//                                   the steady state, for a GL call trace
#include <GL/gl.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/globals.h"
#include "particles/waterfall_system.h"
#include "tests/frame/frame_lab.h"

namespace {

using framelab::Way;

constexpr int STEADY_STEPS = 60;     // the live count settles after about 30
constexpr int DEFAULT_FRAMES = 12;   // of each way

struct Timing {
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
};

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);  // every thread, llvmpipe's too
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void timeFrame(framelab::Scene& scene, Way way, Timing& timing) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    scene.drawFrame(way);
    const double cpuEnd = cpuSeconds();
    const auto wallEnd = std::chrono::steady_clock::now();
    timing.wallMs.push_back(std::chrono::duration<double, std::milli>(wallEnd - wallStart).count());
    timing.cpuMs.push_back((cpuEnd - cpuStart) * 1000.0);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double mean(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

void report(const char* name, const Timing& timing) {
    std::printf("%-9s wall: median %7.1f ms, mean %7.1f ms, min %7.1f ms | CPU: median %7.1f ms\n",
                name, median(timing.wallMs), mean(timing.wallMs),
                *std::min_element(timing.wallMs.begin(), timing.wallMs.end()),
                median(timing.cpuMs));
}

long drawnDrops() {
    long drawn = 0;
    const std::vector<Particle*>& live = waterfall->live();
    for (size_t i = 0; i + 1 < live.size(); ++i) drawn += live[i]->isAlive();
    return drawn;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--once") == 0) {
        const bool direct = std::strcmp(argv[2], "direct") == 0;
        framelab::Scene scene;
        scene.pour(STEADY_STEPS);
        scene.drawFrame(direct ? Way::Immediate : Way::CompiledList);
        std::printf("one %s frame of %ld drops\n", direct ? "direct" : "compiled", drawnDrops());
        return 0;
    }
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : DEFAULT_FRAMES;

    framelab::Scene scene;
    std::printf("GL: %s, %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
    scene.pour(STEADY_STEPS);
    std::printf("steady state after %d steps: %zu live, %ld drops drawn a frame\n", STEADY_STEPS,
                waterfall->live().size(), drawnDrops());

    // The first compiled frame also compiles the sphere; neither is timed.
    scene.drawFrame(Way::Immediate);
    const framelab::Frame direct = scene.readFrame();
    scene.drawFrame(Way::CompiledList);
    const framelab::Frame compiled = scene.readFrame();
    const long apart = compiled.differingPixels(direct);
    const bool close = apart >= 0 && apart <= framelab::CULLED_PIXELS_APART;
    std::printf("frames apart (glReadPixels, %dx%d RGB): %ld pixels, at most %ld allowed%s\n",
                compiled.width, compiled.height, apart, framelab::CULLED_PIXELS_APART,
                close ? "" : ": TOO MANY");

    // Alternating, and swapping which goes first each round, so that a change
    // in the machine's load falls on both alike.
    Timing compiledTiming;
    Timing directTiming;
    for (int round = 0; round < frames; ++round) {
        if (round % 2 == 0) {
            timeFrame(scene, Way::CompiledList, compiledTiming);
            timeFrame(scene, Way::Immediate, directTiming);
        } else {
            timeFrame(scene, Way::Immediate, directTiming);
            timeFrame(scene, Way::CompiledList, compiledTiming);
        }
    }
    std::printf("frame pass (display with its swap, then glFinish), %d frames each:\n", frames);
    report("compiled", compiledTiming);
    report("direct", directTiming);
    std::printf("ratio compiled / direct: wall %.3f (medians), CPU %.3f (medians)\n",
                median(compiledTiming.wallMs) / median(directTiming.wallMs),
                median(compiledTiming.cpuMs) / median(directTiming.cpuMs));
    return close ? 0 : 1;
}
