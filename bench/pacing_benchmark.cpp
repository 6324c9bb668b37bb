// CPU and frames of the real program on a private Xvfb (Mesa's software
// renderer): started and never poured, pouring, then stopped again. Process
// CPU (every thread, user and system) comes from /proc/PID/stat, frames from
// the preloaded swap_probe's stamps: one swap a frame, and while pouring one
// step a frame. Figures only.
//
//   pacing_benchmark [POUR_SECONDS [PROGRAM]]
//     POUR_SECONDS  how long to pour (default 20)
//     PROGRAM       another build's program to measure, with this build's
//                   data files (default: this build's)
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

constexpr double STILL_SECONDS = 5.0;         // each still phase measured
constexpr double DEFAULT_POUR_SECONDS = 20.0;
constexpr double STEADY_SECONDS = 5.0;        // the end of the pour, for the steady frame time
constexpr const char* SWAP_TIMES = "swap-times.txt";  // in the program's working directory

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);  // the probe's clock
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The probe's swap stamps, in seconds, from `from` to `to`.
std::vector<double> swapsBetween(const Program& program, double from, double to) {
    std::ifstream in(program.workDir() + "/" + SWAP_TIMES);
    std::vector<double> swaps;
    for (long long ns = 0; in >> ns;) {
        const double at = static_cast<double>(ns) * 1e-9;
        if (at >= from && at <= to) swaps.push_back(at);
    }
    return swaps;
}

double medianGapMs(const std::vector<double>& swaps) {
    std::vector<double> gaps;
    for (size_t i = 1; i < swaps.size(); ++i) gaps.push_back((swaps[i] - swaps[i - 1]) * 1000.0);
    if (gaps.empty()) return 0.0;
    std::sort(gaps.begin(), gaps.end());
    return gaps[gaps.size() / 2];
}

// The most frames that fall into any one second of `swaps`.
size_t busiestSecond(const std::vector<double>& swaps) {
    size_t most = 0;
    for (size_t first = 0, last = 0; first < swaps.size(); ++first) {
        while (last < swaps.size() && swaps[last] < swaps[first] + 1.0) ++last;
        most = std::max(most, last - first);
    }
    return most;
}

}  // namespace

int main(int argc, char** argv) {
    const double pourSeconds = argc > 1 ? std::max(2.0, std::atof(argv[1])) : DEFAULT_POUR_SECONDS;
    XvfbServer server;
    Options options;
    options.env = {std::string("LD_PRELOAD=") + SWAP_PROBE,
                   std::string("SWAP_TIMES_FILE=") + SWAP_TIMES};
    if (argc > 2) {
        options.program = argv[2];
        options.prepare = [](const std::string& dir) {
            const std::string copy = "cp -p '" + dataDir() + "'/* '" + dir + "'/";
            if (std::system(copy.c_str()) != 0) std::printf("no data files: %s\n", copy.c_str());
        };
    }
    Program program(server, options);
    if (!program.waitForWindow(Seconds(60))) {
        std::printf("no window\n%s", program.standardError().c_str());
        return 1;
    }
    program.waitForStill(Seconds(0.5), Seconds(60));
    std::printf("program: %s\n", argc > 2 ? argv[2] : programPath().c_str());
    std::printf("started, never poured: %.2f %% of a core over %.0f s\n",
                100.0 * program.coreShareOver(Seconds(STILL_SECONDS)), STILL_SECONDS);

    program.key('a');
    const double pourStart = monotonicSeconds();
    const double pouring = program.coreShareOver(Seconds(pourSeconds));
    const double pourEnd = monotonicSeconds();
    program.key('a');
    const std::vector<double> swaps = swapsBetween(program, pourStart, pourEnd);
    const std::vector<double> steady = swapsBetween(program, pourEnd - STEADY_SECONDS, pourEnd);
    const std::vector<double> firstSecond = swapsBetween(program, pourStart, pourStart + 1.0);
    std::printf("pouring: %.1f %% of a core over %.1f s; %zu frames (%.1f a second), "
                "median frame %.1f ms\n",
                100.0 * pouring, pourEnd - pourStart, swaps.size(),
                static_cast<double>(swaps.size()) / (pourEnd - pourStart), medianGapMs(swaps));
    std::printf("  first second of the pour: %zu frames, median frame %.1f ms; busiest second: "
                "%zu frames\n",
                firstSecond.size(), medianGapMs(firstSecond), busiestSecond(swaps));
    std::printf("  last %.0f s (steady pour): %zu frames, median frame %.1f ms\n", STEADY_SECONDS,
                steady.size(), medianGapMs(steady));

    program.waitForStill(Seconds(1.5), Seconds(120));
    std::printf("poured, then stopped: %.2f %% of a core over %.0f s\n",
                100.0 * program.coreShareOver(Seconds(STILL_SECONDS)), STILL_SECONDS);
    program.key('q');
    return program.waitForExit(Seconds(30)) == 0 ? 0 : 1;
}
