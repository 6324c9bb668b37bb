// The scenery on screen in the real program: the textured ground below the
// rocks, the three rocks and the ledge discs on them, and a ground that fog
// never touches.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "tests/support/program_harness.h"
#include "tests/support/bmp_files.h"

namespace {

using namespace e2e;

// Where a scene point lands in the 400 x 400 window at the start camera: the
// view from the start eye to the origin, the orthographic box of +-2 units
// and the viewport of 412 pixels anchored at the lower-left corner.
struct Pixel {
    int x, y;  // window pixels, y from the top
};

Pixel project(double px, double py, double pz) {
    const double* eye = START_EYE;
    double f[3] = {-eye[0], -eye[1], -eye[2]};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& c : f) c /= fl;
    // side = f x up, up = (0, 1, 0); then the true up = side x f.
    double s[3] = {-f[2], 0.0, f[0]};
    const double sl = std::sqrt(s[0] * s[0] + s[2] * s[2]);
    for (double& c : s) c /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                         s[0] * f[1] - s[1] * f[0]};
    const double d[3] = {px - eye[0], py - eye[1], pz - eye[2]};
    const double xEye = s[0] * d[0] + s[1] * d[1] + s[2] * d[2];
    const double yEye = u[0] * d[0] + u[1] * d[1] + u[2] * d[2];
    const double viewport = 412.0;
    const double fromLeft = (xEye / 2.0 + 1.0) / 2.0 * viewport;
    const double fromBottom = (yEye / 2.0 + 1.0) / 2.0 * viewport;
    return {static_cast<int>(fromLeft), 399 - static_cast<int>(fromBottom)};
}

// The colours of a 24-bit bottom-up BMP with a 54-byte header.
std::set<int> coloursOf(const std::string& bmp) {
    std::set<int> colours;
    for (size_t i = 54; i + 2 < bmp.size(); i += 3) {
        const auto b = static_cast<unsigned char>(bmp[i]);
        const auto g = static_cast<unsigned char>(bmp[i + 1]);
        const auto r = static_cast<unsigned char>(bmp[i + 2]);
        colours.insert(r << 16 | g << 8 | b);
    }
    return colours;
}

int key(const Rgb& c) { return c.r << 16 | c.g << 8 | c.b; }

// The patch of pixels around a point, as distinct colours.
std::set<int> patchColours(const Screenshot& shot, Pixel centre, int halfWidth, int halfHeight) {
    std::set<int> colours;
    for (int y = centre.y - halfHeight; y <= centre.y + halfHeight; ++y)
        for (int x = centre.x - halfWidth; x <= centre.x + halfWidth; ++x)
            colours.insert(key(shot.at(x, y)));
    return colours;
}

// Black and white squares, so that a textured surface shows many shades
// and a surface of one texel shows one.
std::string checkerboard() {
    BmpLayout layout;
    std::string bmp = makeBmp(layout);  // 64 x 64
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const char value = ((x / 8 + y / 8) % 2) ? '\xFF' : '\0';
            const size_t at = 54 + (static_cast<size_t>(y) * 64 + x) * 3;
            bmp[at] = bmp[at + 1] = bmp[at + 2] = value;
        }
    return bmp;
}

// The ground seen in front of the rocks: scene points on y = 0.
const double GROUND_POINTS[][2] = {{0.0, 1.0}, {-1.2, 1.2}, {1.2, 1.2}, {-1.8, 0.2},
                                   {1.8, 0.2}, {0.0, 2.0},  {-0.5, 2.5}, {0.5, 2.5}};

TEST(Scenery, GroundTextureLiesBelowThreeRocksCappedByLedgeDiscs) {
    XvfbServer server;
    Options options;
    options.files["close.bmp"] = checkerboard();
    Program program(server, options);
    ASSERT_TRUE(program.waitForWindow(Seconds(30))) << program.standardOutput();
    const Screenshot shot = program.waitForStill();

    // The ground: every sampled point shows a colour of ground.bmp as it is,
    // unlit, and the band is textured rather than flat.
    const std::set<int> groundColours = coloursOf(readFile(dataDir() + "/ground.bmp"));
    std::set<int> seen;
    for (const auto& point : GROUND_POINTS) {
        const Pixel p = project(point[0], 0.0, point[1]);
        ASSERT_TRUE(p.x >= 0 && p.x < 400 && p.y >= 0 && p.y < 400) << point[0] << "," << point[1];
        const Rgb c = shot.at(p.x, p.y);
        EXPECT_TRUE(groundColours.count(key(c))) << "ground at " << point[0] << "," << point[1]
                                                 << ": " << c.r << " " << c.g << " " << c.b;
        seen.insert(key(c));
    }
    EXPECT_GE(seen.size(), 4u) << "the ground looks flat";
    // Below the ground's near edge on screen there is only sky.
    EXPECT_EQ(shot.at(200, 395), SKY);

    // The rocks, half-way up: the middle one alone covers the centre; the
    // outer ones reach 1.575 units either side, and nothing beyond.
    const double mid = 0.65;
    for (double x : {0.0, -1.5, 1.5, -0.9, 0.9}) {
        const Pixel p = project(x, mid, 0.8);
        EXPECT_NE(shot.at(p.x, p.y), SKY) << "rock at x = " << x;
    }
    for (double x : {-1.75, 1.75}) {
        const Pixel p = project(x, mid, 0.0);
        EXPECT_EQ(shot.at(p.x, p.y), SKY) << "beside the rocks at x = " << x;
    }
    // Above the rocks' tops: sky.
    const Pixel above = project(0.0, 1.45, 0.0);
    EXPECT_EQ(shot.at(above.x, above.y), SKY);

    // The ledge discs: each disc is one texel of the checkerboard, so one
    // colour; the rock walls under them show the squares.
    for (double x : {-0.9, 0.0, 0.9}) {
        const Pixel disc = project(x, 1.3, 0.0);
        const std::set<int> top = patchColours(shot, disc, 12, 1);
        EXPECT_EQ(top.size(), 1u) << "ledge disc at x = " << x;
        EXPECT_FALSE(top.count(key(SKY))) << "ledge disc at x = " << x;
        const Pixel wall = project(x, 0.65, 0.8);
        EXPECT_GT(patchColours(shot, wall, 20, 20).size(), 1u) << "rock wall at x = " << x;
    }
    program.key('q');
    EXPECT_EQ(program.waitForExit(), 0);
}

TEST(Scenery, FogLeavesTheGroundsPixelsAsTheyWere) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow(Seconds(30)));
    const Screenshot clear = program.waitForStill();
    program.key('f');
    const Pixel rock = project(0.0, 0.65, 0.8);
    const Rgb rockBefore = clear.at(rock.x, rock.y);
    const Screenshot fogged = program.waitForScreen(
        [&](const Screenshot& s) { return s.width > 0 && s.at(rock.x, rock.y) != rockBefore; },
        Seconds(30));
    // The fog reached the lit rocks...
    ASSERT_NE(fogged.at(rock.x, rock.y), rockBefore) << "the fog key changed nothing";
    // ...and not one ground pixel.
    for (const auto& point : GROUND_POINTS) {
        const Pixel p = project(point[0], 0.0, point[1]);
        EXPECT_EQ(fogged.at(p.x, p.y), clear.at(p.x, p.y)) << point[0] << "," << point[1];
    }
    program.key('q');
    EXPECT_EQ(program.waitForExit(), 0);
}

}  // namespace
