// Time of one waterfall step in steady state (capacity 10000, 300 launches a
// step, about 8,270 live drops), per live particle.
#include <benchmark/benchmark.h>

#include "particles/random_source.h"
#include "particles/waterfall_system.h"

namespace {

constexpr int CAPACITY = 10000;      // particles, as in the program
constexpr int WARM_UP_STEPS = 100;   // the live count settles after about 30
constexpr float TIME_STEP = 1.0f;    // time units
constexpr float GRAVITY = -0.01f;    // scene units per time unit squared

void steadyStateStep(benchmark::State& state) {
    resetRandomSource();
    WaterfallSystem system(CAPACITY);
    for (int i = 0; i < WARM_UP_STEPS; ++i) system.step(TIME_STEP, GRAVITY);

    double liveParticles = 0;
    for (auto _ : state) {
        liveParticles += static_cast<double>(system.live().size());
        system.step(TIME_STEP, GRAVITY);
    }
    // Live particles per second of CPU time, inverted: the time per live
    // particle, printed with its unit ("15.7ns").
    state.counters["per_live_particle"] = benchmark::Counter(
        liveParticles, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["live"] = benchmark::Counter(static_cast<double>(system.live().size()));
}
BENCHMARK(steadyStateStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
