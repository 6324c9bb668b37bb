// The mouse camera's arithmetic: pixel mappings, angle steps, limits, eye point.
#include <gtest/gtest.h>

#include <cmath>

#include "app/camera_math.h"
#include "app/globals.h"
#include "tests/support/app_state.h"

namespace {

constexpr double DEGREES_PER_RADIAN = 180.0 / 3.14159265358979323846;

// The elevation limits as the float values the camera stores.
constexpr float LOWEST_ELEVATION = -1.5184364f;   // -87 degrees
constexpr float HIGHEST_ELEVATION = 1.5533431f;   // +89 degrees

using CameraMathTest = StartStateTest;

struct MappingCase {
    int width, height, pixel;
    float x, y;  // windowToWorldX(pixel), windowToWorldY(pixel)
};

TEST_F(CameraMathTest, PixelsMapToViewUnitsWithOneScaleForBothAxes) {
    const MappingCase cases[] = {
        {400, 400, 0, -0.9975f, -0.9975f},
        {400, 400, 200, 0.0025f, 0.0025f},
        {400, 400, 399, 0.9975f, 0.9975f},
        {800, 400, 0, -1.9975f, -0.9975f},
        {800, 400, 399, -0.0025f, 0.9975f},
        {800, 400, 799, 1.9975f, 2.9975f},
        {300, 600, 0, -0.49833333f, -0.99833333f},
    };
    for (const MappingCase& c : cases) {
        windowWidth = c.width;
        windowHeight = c.height;
        EXPECT_FLOAT_EQ(windowToWorldX(c.pixel), c.x) << c.width << "x" << c.height << " " << c.pixel;
        EXPECT_FLOAT_EQ(windowToWorldY(c.pixel), c.y) << c.width << "x" << c.height << " " << c.pixel;
        // 2 / height view units a pixel, across and up alike.
        const float step = 2.0f / static_cast<float>(c.height);
        EXPECT_NEAR(windowToWorldX(c.pixel + 1) - windowToWorldX(c.pixel), step, 1e-6f);
        EXPECT_NEAR(windowToWorldY(c.pixel + 1) - windowToWorldY(c.pixel), step, 1e-6f);
    }
}

TEST_F(CameraMathTest, AMinimisedWindowStillMapsToFiniteValues) {
    windowWidth = 400;
    windowHeight = 0;
    EXPECT_TRUE(std::isfinite(windowToWorldX(10)));
    EXPECT_TRUE(std::isfinite(windowToWorldY(10)));
    EXPECT_TRUE(std::isfinite(orbitAzimuth(0.0f, 1.0f, 400, 0)));
}

TEST_F(CameraMathTest, ElevationMovesByFortyTwoAndAHalfDegreesPerViewUnit) {
    const float perUnit = static_cast<float>(PI * 0.9444444444444444 / 4);
    EXPECT_FLOAT_EQ(orbitElevation(0.0f, -1.0f), perUnit);
    // Dragging upwards lowers the eye.
    EXPECT_FLOAT_EQ(orbitElevation(0.0f, 0.5f), -perUnit / 2);
    // A drag over the whole window height, two view units, is 85 degrees.
    EXPECT_NEAR(orbitElevation(0.0f, -2.0f) * DEGREES_PER_RADIAN, 85.0, 1e-4);
}

TEST_F(CameraMathTest, AzimuthTurnsAQuarterForADragAcrossTheWholeWidth) {
    struct Case {
        int width, height;
        float dx;  // the full width in view units
    };
    for (const Case c : {Case{400, 400, 2.0f}, Case{800, 400, 4.0f}, Case{500, 400, 2.5f},
                         Case{300, 600, 1.0f}}) {
        // A ratio by integer division would make 500x400 turn 1.25 times too far.
        EXPECT_FLOAT_EQ(orbitAzimuth(0.0f, c.dx, c.width, c.height), PI / 2)
            << c.width << "x" << c.height;
    }
    // Never wrapped.
    EXPECT_FLOAT_EQ(orbitAzimuth(90.0f, 2.0f, 400, 400), 90.0f + PI / 2);
}

TEST_F(CameraMathTest, EyeLiesOnTheUnitSphere) {
    for (float azimuth : {0.0f, 1.0f, 90.0f, -3.0f, 1000.0f}) {
        for (float elevation : {LOWEST_ELEVATION, -0.5f, 0.0f, 0.7f, HIGHEST_ELEVATION}) {
            const Float3 eye = orbitEye(azimuth, elevation);
            EXPECT_NEAR(std::sqrt(eye.x * eye.x + eye.y * eye.y + eye.z * eye.z), 1.0, 1e-6);
            EXPECT_NEAR(eye.y, std::sin(elevation), 1e-7);
            EXPECT_NEAR(eye.z, std::sin(azimuth) * std::cos(elevation), 1e-6);
        }
    }
}

}  // namespace
