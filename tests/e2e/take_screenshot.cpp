// Makes the README's screenshot: the program in a private Xvfb, "a" to start
// the water, a few seconds of pouring, then a capture of the window as PNG.
// With 0 seconds there is no pour: the start frame, still.
// Usage: take_screenshot OUTPUT.png [SECONDS]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/program_harness.h"

namespace {

constexpr double DEFAULT_POUR_SECONDS = 8.0;
constexpr double WINDOW_TIMEOUT_SECONDS = 60.0;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [SECONDS]\n", argv[0]);
        return 2;
    }
    const std::string output = argv[1];
    const double pourSeconds = argc == 3 ? std::atof(argv[2]) : DEFAULT_POUR_SECONDS;
    try {
        e2e::XvfbServer server;
        e2e::Program program(server);
        if (!program.waitForWindow(e2e::Seconds(WINDOW_TIMEOUT_SECONDS))) {
            std::fprintf(stderr, "the window did not appear; the program said:\n%s%s\n",
                         program.standardOutput().c_str(), program.standardError().c_str());
            return 1;
        }
        // The first frame, before any water, then the pour.
        program.waitForStill(e2e::Seconds(0.5), e2e::Seconds(WINDOW_TIMEOUT_SECONDS));
        if (pourSeconds > 0) {
            program.key('a');
            e2e::sleepFor(e2e::Seconds(pourSeconds));
        }
        const e2e::Screenshot shot = program.screenshot();
        program.key('q');
        program.waitForExit();
        if (shot.width == 0) {
            std::fprintf(stderr, "could not read the window's pixels\n");
            return 1;
        }
        shot.save(output);
        std::printf("%s: %dx%d\n", output.c_str(), shot.width, shot.height);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
