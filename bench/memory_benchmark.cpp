// Memory of the running pour, behind the do-nothing GL stand-in: resident
// size after 1,000 and 100,000 animation ticks (a step and a frame each, as
// the program runs them), and heap allocations per step and per frame once
// warm, counted by a replaced operator new.
#include <GL/glu.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/globals.h"
#include "particles/waterfall_system.h"
#include "scene/display.h"
#include "tests/support/counting_new.h"

namespace {

constexpr int CAPACITY = 10000;         // particles, as in the program
constexpr int WARM_TICKS = 100;         // the live count settles after about 30
constexpr int COUNTED_TICKS = 1000;
constexpr int FIRST_MARK = 1000;        // ticks
constexpr int SECOND_MARK = 100000;     // ticks
constexpr float TIME_STEP = 1.0f;       // time units
constexpr float GRAVITY = -0.01f;       // scene units per time unit squared

// VmRSS or VmHWM of this process, in KiB.
long statusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    }
    return -1;
}

}  // namespace

int main() {
    windowWidth = START_WINDOW_WIDTH;
    windowHeight = START_WINDOW_HEIGHT;
    sceneQuadric = gluNewQuadric();
    const long beforePool = statusKiB("VmRSS");
    waterfall = new WaterfallSystem(CAPACITY);
    const long withPool = statusKiB("VmRSS");

    // Read as the ticks pass, printed at the end: the first print would add
    // the standard output's buffer to the figures.
    long residentAt[2] = {0, 0};
    long stepAllocations = 0;
    long frameAllocations = 0;
    for (int tick = 1; tick <= SECOND_MARK; ++tick) {
        const bool counted = tick > WARM_TICKS && tick <= WARM_TICKS + COUNTED_TICKS;
        if (counted) allocations::startCounting();
        waterfall->step(TIME_STEP, GRAVITY);
        if (counted) {
            stepAllocations += allocations::stopCounting();
            allocations::startCounting();
        }
        display();
        if (counted) frameAllocations += allocations::stopCounting();
        if (tick == FIRST_MARK) residentAt[0] = statusKiB("VmRSS");
        if (tick == SECOND_MARK) residentAt[1] = statusKiB("VmRSS");
    }
    std::printf("resident before the pool: %ld KiB, with it: %ld KiB\n", beforePool, withPool);
    std::printf("resident after %d ticks: %ld KiB\n", FIRST_MARK, residentAt[0]);
    std::printf("resident after %d ticks: %ld KiB (peak %ld KiB)\n", SECOND_MARK, residentAt[1],
                statusKiB("VmHWM"));
    std::printf("live particles at the end: %zu\n", waterfall->live().size());
    std::printf("heap allocations per warm step: %g, per warm frame: %g (over %d ticks)\n",
                static_cast<double>(stepAllocations) / COUNTED_TICKS,
                static_cast<double>(frameAllocations) / COUNTED_TICKS, COUNTED_TICKS);
    return 0;
}
