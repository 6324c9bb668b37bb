// Soak of the real program: it pours under its own Xvfb for a given time
// while its resident size is read every ten seconds; at the end the size
// must not lie above its highest during the warm-up. Within a frame the
// size swings by tens of MiB (the renderer's per-frame memory comes and
// goes), so each ten-second sample is the peak of reads 50 ms apart: the
// peaks are steady, and a leak lifts them. Then the program must
// still answer "h" and end with status 0 on "q", having printed nothing but
// the loader lines and the help text. Prints its figures; exits 1 on a failure.
//
// Mesa's software renderer bins each frame into scenes that its rasterizer
// threads work through; while they lag, more scenes wait, and the heap keeps
// the high-water mark of the deepest queue so far: the resident size climbs
// by tens of MiB at random moments for many minutes, whatever the program
// does. So unless LP_NUM_THREADS is set, the program runs with
// LP_NUM_THREADS=0: the drawing thread rasterizes, the driver holds one
// scene at a time, and what remains to grow is the program's own.
// Usage: program_soak [SECONDS [WARM_UP_SECONDS]]   (default 600 and 60)
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

constexpr double DEFAULT_SECONDS = 600;
constexpr double DEFAULT_WARM_UP_SECONDS = 60;
constexpr Seconds SAMPLE_EVERY(10.0);
constexpr Seconds READ_EVERY(0.05);    // reads within a sample, whose peak is kept
constexpr long MAX_GROWTH_KIB = 1024;  // allowed growth after the warm-up
constexpr size_t SETTLED_SAMPLES = 3;  // the end of the run: the lowest of these last ones

struct Sample {
    double at;     // seconds since the pour began
    long kib;      // resident size, the peak of the sample's reads
    long lowKiB;   // the lowest of its reads, for the figures
};

int fail(const std::string& why, const Program& program) {
    std::printf("FAIL: %s\nstandard output:\n%s\nstandard error:\n%s\n", why.c_str(),
                program.standardOutput().c_str(), program.standardError().c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : DEFAULT_SECONDS;
    const double warmUp = argc > 2 ? std::atof(argv[2]) : DEFAULT_WARM_UP_SECONDS;
    if (warmUp < SAMPLE_EVERY.count() ||
        seconds < warmUp + SAMPLE_EVERY.count() * static_cast<double>(SETTLED_SAMPLES)) {
        std::fprintf(stderr, "usage: %s [SECONDS [WARM_UP_SECONDS]]"
                     "  (WARM_UP >= 10, SECONDS >= WARM_UP + 30)\n", argv[0]);
        return 2;
    }
    XvfbServer server;
    Options options;
    if (!std::getenv("LP_NUM_THREADS")) options.env.push_back("LP_NUM_THREADS=0");
    Program program(server, options);
    if (!program.waitForWindow(Seconds(60))) return fail("no window", program);
    const Screenshot still = program.waitForStill(Seconds(0.5), Seconds(60));
    program.key('a');
    const Screenshot pouring = program.waitForScreen(
        [&](const Screenshot& shot) { return !(shot == still); }, Seconds(60));
    if (pouring == still) return fail("the pour never showed", program);

    const char* threads = std::getenv("LP_NUM_THREADS");
    std::printf("pouring for %.0f s, resident size every %.0f s, warm-up %.0f s,"
                " LP_NUM_THREADS=%s\n", seconds, SAMPLE_EVERY.count(), warmUp,
                threads ? threads : "0");
    const auto start = std::chrono::steady_clock::now();
    std::vector<Sample> samples;
    for (int sample = 1;; ++sample) {
        const auto due = start + SAMPLE_EVERY * sample;
        if (due > start + Seconds(seconds)) break;
        Sample taken{SAMPLE_EVERY.count() * sample, 0, LONG_MAX};
        while (std::chrono::steady_clock::now() < due) {
            std::this_thread::sleep_for(READ_EVERY);
            if (!program.running()) return fail("the program ended while pouring", program);
            const long kib = program.residentKiB();
            taken.kib = std::max(taken.kib, kib);
            taken.lowKiB = std::min(taken.lowKiB, kib);
        }
        samples.push_back(taken);
        std::printf("%6.0f s  resident peak %ld KiB, low %ld KiB\n", taken.at, taken.kib,
                    taken.lowKiB);
        std::fflush(stdout);
    }

    program.key('h');
    if (!program.waitForOutput(HELP_END, Seconds(60))) {
        return fail("no help text after the pour", program);
    }
    program.key('q');
    const int status = program.waitForExit(Seconds(60));
    if (status != 0) return fail("status " + std::to_string(status) + " after \"q\"", program);
    const std::string output = program.standardOutput();
    if (output.rfind(LOADER_LINES + "\n ****", 0) != 0 ||
        output.find("DANGER") != std::string::npos || output.find("MAX") != std::string::npos) {
        return fail("unexpected output", program);
    }

    // A leak raises every later sample; a lone high sample is the heap's top
    // growing and shrinking back, so the end is the lowest of the last few.
    long warmKiB = 0, highestKiB = 0, endKiB = LONG_MAX;
    for (size_t i = 0; i < samples.size(); ++i) {
        const long kib = samples[i].kib;
        if (samples[i].at <= warmUp) warmKiB = std::max(warmKiB, kib);
        else highestKiB = std::max(highestKiB, kib);
        if (i + SETTLED_SAMPLES >= samples.size()) endKiB = std::min(endKiB, kib);
    }
    const long growth = endKiB - warmKiB;
    std::printf("resident: first %ld KiB, highest in the warm-up %ld KiB, highest after it %ld KiB,"
                " at the end %ld KiB; growth %ld KiB (limit %ld)\n", samples.front().kib,
                warmKiB, highestKiB, endKiB, growth, MAX_GROWTH_KIB);
    if (growth >= MAX_GROWTH_KIB) {
        std::printf("FAIL: the resident size grew after the warm-up\n");
        return 1;
    }
    std::printf("PASS: still answering, status 0 on \"q\", only the loader lines and the help"
                " text printed\n");
    return 0;
}
