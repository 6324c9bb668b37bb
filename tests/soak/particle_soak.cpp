// In-process soak of the waterfall as the program runs it: a million steps
// of the real configuration, every step checked for the pool's invariants,
// and the resident size sampled to show it stays flat after the warm-up.
// Every drawn drop must also stay within the reach that culling rests on.
// Prints its figures; exits 1 if an invariant breaks or memory grows.
// Usage: particle_soak [STEPS]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "particles/random_source.h"
#include "particles/waterfall_system.h"

namespace {

constexpr int CAPACITY = 10000;           // particles, as in the program
constexpr float TIME_STEP = 1.0f;         // time units per step, as in the program
constexpr float GRAVITY = -0.01f;         // scene units per time unit squared
constexpr long DEFAULT_STEPS = 1000000;
constexpr long WARM_UP_STEPS = 10000;     // the live count settles within about 30
constexpr long SAMPLE_EVERY = 50000;      // steps between resident-size samples
constexpr long MAX_GROWTH_KIB = 1024;     // allowed growth after the warm-up
constexpr float REACH = ParticleSystem::DROP_REACH;  // scene units

long residentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// Every particle by its place in the system's storage, which is one block:
// the pool holds them all, in order, before the first step.
class Census {
public:
    explicit Census(const WaterfallSystem& system) : seen(CAPACITY, 0) {
        const std::vector<Particle*>& pool = system.pool();
        first = pool.front();
        for (size_t i = 0; i < pool.size(); ++i) {
            if (pool[i] != first + i) fail(0, "the particles are not one block");
        }
    }

    // Live plus free is the capacity, each particle is in one list once,
    // and no live particle stands at a NaN or infinite position.
    void check(const WaterfallSystem& system, long step) {
        const std::vector<Particle*>& live = system.live();
        const std::vector<Particle*>& pool = system.pool();
        if (static_cast<long>(live.size() + pool.size()) != CAPACITY) {
            fail(step, "live plus free is not the capacity");
        }
        const int stamp = static_cast<int>(step % 2 + 1);  // differs from the last check's
        for (const std::vector<Particle*>* list : {&live, &pool}) {
            for (Particle* particle : *list) {
                const long index = particle - first;
                if (index < 0 || index >= CAPACITY) fail(step, "a particle from outside the system");
                if (seen[index] == stamp) fail(step, "a particle in both lists or twice in one");
                seen[index] = stamp;
            }
        }
        for (size_t i = 0; i < live.size(); ++i) {
            const Vector3& p = live[i]->position;
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
                fail(step, "a live particle at a NaN or infinite position");
            }
            // Drawn: alive, and not the last. Culling the drops needs them near.
            if (i + 1 < live.size() && live[i]->isAlive()) {
                farthestSquared = std::max(farthestSquared, dotProduct(p, p));
                if (farthestSquared >= REACH * REACH) {
                    fail(step, "a drawn drop beyond the reach that culling rests on");
                }
            }
        }
    }

    float farthestDrawn() const { return std::sqrt(farthestSquared); }

private:
    [[noreturn]] static void fail(long step, const char* what) {
        std::printf("FAIL at step %ld: %s\n", step, what);
        std::exit(1);
    }

    Particle* first = nullptr;
    std::vector<int> seen;
    float farthestSquared = 0.0f;  // square scene units from the origin
};

}  // namespace

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : DEFAULT_STEPS;
    if (steps <= WARM_UP_STEPS) {
        std::fprintf(stderr, "usage: %s [STEPS]  (more than %ld)\n", argv[0], WARM_UP_STEPS);
        return 2;
    }
    resetRandomSource();
    WaterfallSystem system(CAPACITY);
    Census census(system);
    std::printf("steps %ld, capacity %d, step(%g, %g); resident size every %ld steps\n", steps,
                CAPACITY, TIME_STEP, GRAVITY, SAMPLE_EVERY);

    const auto start = std::chrono::steady_clock::now();
    long warmKiB = 0, highestKiB = 0;
    size_t fewestLive = CAPACITY, mostLive = 0, fewestFree = CAPACITY;
    for (long step = 1; step <= steps; ++step) {
        system.step(TIME_STEP, GRAVITY);
        census.check(system, step);
        if (step <= WARM_UP_STEPS) {
            if (step == WARM_UP_STEPS) highestKiB = warmKiB = residentKiB();
            continue;
        }
        fewestLive = std::min(fewestLive, system.live().size());
        mostLive = std::max(mostLive, system.live().size());
        fewestFree = std::min(fewestFree, system.pool().size());
        if (step % SAMPLE_EVERY == 0) {
            const long kib = residentKiB();
            highestKiB = std::max(highestKiB, kib);
            std::printf("step %7ld  live %zu  free %zu  resident %ld KiB\n", step,
                        system.live().size(), system.pool().size(), kib);
            std::fflush(stdout);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long growth = highestKiB - warmKiB;
    std::printf("invariants held for all %ld steps (%.1f s, %.0f steps/s)\n", steps, seconds,
                static_cast<double>(steps) / seconds);
    std::printf("after the warm-up: live %zu to %zu, fewest free %zu\n", fewestLive, mostLive,
                fewestFree);
    std::printf("farthest drawn drop from the origin %.4f (reach %.2f)\n", census.farthestDrawn(),
                REACH);
    std::printf("resident after %ld warm-up steps %ld KiB, highest after %ld KiB, growth %ld KiB"
                " (limit %ld)\n", WARM_UP_STEPS, warmKiB, highestKiB, growth, MAX_GROWTH_KIB);
    if (growth >= MAX_GROWTH_KIB) {
        std::printf("FAIL: the resident size grew after the warm-up\n");
        return 1;
    }
    std::printf("PASS\n");
    return 0;
}
