// The desktop program's frame after a given number of pour steps, as PNG:
// its own start-up, pour and frame pass in a real freeglut window on a
// private Xvfb (frame_lab), for the browser case that freezes the page's pour
// at the same step.
// Usage: take_frame_at_step OUTPUT.png STEPS
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "tests/frame/frame_lab.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png STEPS\n", argv[0]);
        return 2;
    }
    try {
        framelab::Scene scene;
        scene.pour(std::atoi(argv[2]));
        scene.drawFrame(framelab::Way::CompiledList);
        scene.readFrame().screenshot().save(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
