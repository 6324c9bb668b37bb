// The mouse camera in the real program: the eye each frame looks from, as
// the GL trace shows it, after orbit and zoom drags and the reset key.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

constexpr double EYE_TOLERANCE = 2e-4;  // scene units; float sums over a drag

struct Eye {
    double x, y, z;
};

// The eye of every frame. GLU's look-at ends with a translation by minus
// the eye, in double precision: nothing else in the frame pass uses one.
std::vector<Eye> framesEyes(const std::vector<std::string>& calls) {
    std::vector<Eye> eyes;
    for (const std::string& line : calls) {
        const size_t at = line.find("glTranslated(");
        if (at == std::string::npos) continue;
        double x, y, z;
        if (std::sscanf(line.c_str() + at, "glTranslated(x = %lf, y = %lf, z = %lf)", &x, &y, &z) == 3) {
            eyes.push_back({-x, -y, -z});
        }
    }
    return eyes;
}

bool near(const Eye& a, const Eye& b) {
    return std::fabs(a.x - b.x) < EYE_TOLERANCE && std::fabs(a.y - b.y) < EYE_TOLERANCE &&
           std::fabs(a.z - b.z) < EYE_TOLERANCE;
}

std::string describe(const std::vector<Eye>& eyes) {
    std::string out;
    for (const Eye& e : eyes) {
        char line[96];
        std::snprintf(line, sizeof line, "  (%.6f, %.6f, %.6f)\n", e.x, e.y, e.z);
        out += line;
    }
    return out;
}

// Window pixels to view units in the 400x400 window; rows bottom-up.
double viewUnits(int pixel) {
    return (2.0 * pixel - WINDOW_SIDE + 1) / WINDOW_SIDE;
}

// Where the orbit puts the eye after a left drag from (x0, y0) to (x1, y1),
// GLUT's top-down rows, starting from azimuth 90 and elevation 0.
Eye orbitFormula(int x0, int y0, int x1, int y1) {
    const double pi = 3.1415927;
    const double dx = viewUnits(x1) - viewUnits(x0);
    const double dy = viewUnits(WINDOW_SIDE - y1 - 1) - viewUnits(WINDOW_SIDE - y0 - 1);
    const double elevation = -dy * (pi * 0.9444444444444444 / 4);
    const double azimuth = 90.0 + dx * pi / 4;
    return {std::cos(azimuth) * std::cos(elevation), std::sin(elevation),
            std::sin(azimuth) * std::cos(elevation)};
}

size_t helpTexts(const Program& program) {
    const std::string out = program.standardOutput();
    size_t count = 0;
    for (size_t at = out.find(HELP_END); at != std::string::npos;
         at = out.find(HELP_END, at + 1)) {
        ++count;
    }
    return count;
}

// Returns once the program has handled every event sent so far and drawn
// the frame they asked for: the help key is handled after them, and the
// redraw follows in the same turn of GLUT's loop.
void settle(Program& program) {
    const size_t before = helpTexts(program);
    program.key('h');
    for (int i = 0; i < 400 && helpTexts(program) == before; ++i) sleepFor(Seconds(0.05));
    EXPECT_GT(helpTexts(program), before) << "the help key went unanswered";
    sleepFor(Seconds(0.5));
}

// Runs the program under trace, lets `act` drive it, quits, and returns the
// eyes of its frames.
std::vector<Eye> eyesOfRun(const std::function<void(Program&)>& act) {
    XvfbServer server;
    Options options;
    options.trace = true;
    Program program(server, options);
    if (!program.waitForWindow(Seconds(30))) {
        ADD_FAILURE() << "no window: " << program.standardError();
        return {};
    }
    program.waitForStill();
    act(program);
    settle(program);
    program.key('q');
    EXPECT_EQ(program.waitForExit(Seconds(30)), 0);
    return framesEyes(program.traceCalls());
}

TEST(MouseCamera, LeftDragOrbitsTheEyeByTheDragDistance) {
    const int x0 = 200, y0 = 200, x1 = 260, y1 = 170;
    const std::vector<Eye> eyes = eyesOfRun([&](Program& program) {
        program.drag(LEFT_BUTTON, x0, y0, x1, y1, 6);
    });
    ASSERT_GE(eyes.size(), 2u);
    EXPECT_TRUE(near(eyes.front(), {START_EYE[0], START_EYE[1], START_EYE[2]})) << describe(eyes);
    const Eye expected = orbitFormula(x0, y0, x1, y1);
    EXPECT_TRUE(near(eyes.back(), expected))
        << "expected (" << expected.x << ", " << expected.y << ", " << expected.z << ")\n"
        << describe(eyes);
    // Every frame of the drag looks from the unit sphere.
    for (size_t i = 1; i < eyes.size(); ++i) {
        if (near(eyes[i], eyes.front())) continue;  // redrawn before the drag began
        EXPECT_NEAR(std::sqrt(eyes[i].x * eyes[i].x + eyes[i].y * eyes[i].y + eyes[i].z * eyes[i].z),
                    1.0, 1e-5);
    }
}

TEST(MouseCamera, ZoomKeyThenHorizontalDragMovesTheEyeAlongZAndResetPutsItBack) {
    const Eye start = {START_EYE[0], START_EYE[1], START_EYE[2]};
    const Eye zoomed = {START_EYE[0], START_EYE[1], START_EYE[2] + 1.0};  // 200 px to the right
    const std::vector<Eye> eyes = eyesOfRun([](Program& program) {
        program.key('c');
        program.drag(LEFT_BUTTON, 100, 200, 300, 200, 5);
        settle(program);
        program.key('r');
    });
    ASSERT_GE(eyes.size(), 3u);
    size_t at = 0;
    while (at < eyes.size() && !near(eyes[at], zoomed)) ++at;
    ASSERT_LT(at, eyes.size()) << "never looked from the zoomed eye\n" << describe(eyes);
    for (size_t i = 0; i < at; ++i) {
        EXPECT_DOUBLE_EQ(eyes[i].x, eyes[0].x) << "zoom moves along z only";
        EXPECT_DOUBLE_EQ(eyes[i].y, eyes[0].y);
    }
    EXPECT_TRUE(near(eyes.back(), start)) << describe(eyes);
}

}  // namespace
