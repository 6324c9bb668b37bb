// The simulation alone, behind a do-nothing GL stand-in: one waterfall step in
// steady state (capacity 10000, 300 launches a step, about 8,270 live drops)
// per live particle, the recycling pass on its own, and the making of the
// 10000-particle pool.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "particles/random_source.h"
#include "particles/waterfall_system.h"

namespace {

constexpr int CAPACITY = 10000;      // particles, as in the program
constexpr int WARM_UP_STEPS = 100;   // the live count settles after about 30
constexpr float TIME_STEP = 1.0f;    // time units
constexpr float GRAVITY = -0.01f;    // scene units per time unit squared

using Clock = std::chrono::steady_clock;

// Live particles per second of CPU time, inverted: the time per live
// particle, printed with its unit ("9.1ns").
benchmark::Counter perParticle(double particles) {
    return benchmark::Counter(particles, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void steadyStateStep(benchmark::State& state) {
    resetRandomSource();
    WaterfallSystem system(CAPACITY);
    for (int i = 0; i < WARM_UP_STEPS; ++i) system.step(TIME_STEP, GRAVITY);

    double liveParticles = 0;
    for (auto _ : state) {
        liveParticles += static_cast<double>(system.live().size());
        system.step(TIME_STEP, GRAVITY);
    }
    state.counters["per_live_particle"] = perParticle(liveParticles);
    state.counters["live"] = benchmark::Counter(static_cast<double>(system.live().size()));
}
BENCHMARK(steadyStateStep)->Unit(benchmark::kMicrosecond);

// Removing dead particles one at a time, stepping on after each removal: the
// rule the one-pass recycling reproduces, timed for comparison.
class OneByOneSystem : public WaterfallSystem {
public:
    OneByOneSystem() : WaterfallSystem(CAPACITY) {}
    void recycleOneByOne() {
        for (int i = 0; i < static_cast<int>(liveParticles.size()) - 1; ++i) {
            Particle* particle = liveParticles[static_cast<size_t>(i)];
            if (!particle->isAlive()) {
                resetParticle(*particle);
                liveParticles.erase(liveParticles.begin() + i);
                freeParticles.push_back(particle);
            }
        }
    }
};

// The recycling pass of a steady step (about 8,270 live, some 300 of them
// dead), timed on its own: the update before it and the launches after it
// run outside the clock.
template <bool ONE_BY_ONE>
void steadyStateRecycle(benchmark::State& state) {
    resetRandomSource();
    OneByOneSystem system;
    for (int i = 0; i < WARM_UP_STEPS; ++i) system.step(TIME_STEP, GRAVITY);

    double liveParticles = 0;
    double recycled = 0;
    for (auto _ : state) {
        system.updateAll(TIME_STEP, GRAVITY);
        const size_t before = system.live().size();
        const Clock::time_point start = Clock::now();
        if (ONE_BY_ONE) {
            system.recycleOneByOne();
        } else {
            system.recycleDead();
        }
        const Clock::time_point end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        liveParticles += static_cast<double>(before);
        recycled += static_cast<double>(before - system.live().size());
        system.emit();
    }
    state.counters["per_live_particle"] = perParticle(liveParticles);
    state.counters["recycled"] =
        benchmark::Counter(recycled, benchmark::Counter::kAvgIterations);
}
BENCHMARK_TEMPLATE(steadyStateRecycle, false)
    ->Name("recycleDead")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(steadyStateRecycle, true)
    ->Name("recycleOneByOne")->UseManualTime()->Unit(benchmark::kMicrosecond);

// Start-up's pool: 10000 particles made, 40000 random numbers drawn.
void poolConstruction(benchmark::State& state) {
    for (auto _ : state) {
        WaterfallSystem system(CAPACITY);
        benchmark::DoNotOptimize(system.pool().data());
    }
    state.counters["per_particle"] =
        perParticle(static_cast<double>(state.iterations()) * CAPACITY);
}
BENCHMARK(poolConstruction)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
