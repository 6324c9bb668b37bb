// The mouse camera's arithmetic: window pixels to view units, and the orbit's
// angles and eye point. Single precision throughout, as the camera was tuned.
#include "app/camera_math.h"

#include <cmath>

#include "scene/float_trig.h"
#include "scene/window_size.h"

namespace {

// Radians of elevation per view unit of vertical drag, as a multiple of PI:
// 17/18 of a quarter turn, 42.5 degrees.
constexpr double ELEVATION_STEP = 0.9444444444444444;
// The elevation's limits as multiples of PI: -87 and +89 degrees.
constexpr double ELEVATION_LOWEST = 0.48333333333333334;
constexpr double ELEVATION_HIGHEST = 0.49444444444444446;
constexpr float ORBIT_RADIUS = 1.0f;  // scene units from the origin

// Inverts an orthographic mapping of [low, high] onto `size` pixels.
float unproject(int pixel, int size, float low, float high) {
    const float t = 2.0f * (static_cast<float>(pixel) - static_cast<float>(size - 1) / 2.0f) /
                    static_cast<float>(size);
    return (t - (-high - low) / (high - low)) * (high - low) / 2.0f;
}

}  // namespace

float windowToWorldX(int x) {
    // A minimised window reports a height of 0; the ratio then counts 1 pixel.
    const float ratio = static_cast<float>(windowWidth) /
                        static_cast<float>(divisorHeight(windowHeight));
    return unproject(x, windowWidth, -ratio, ratio);
}

float windowToWorldY(int y) {
    return unproject(y, divisorHeight(windowHeight), -1.0f, 1.0f);
}

float orbitElevation(float elevation, float dy) {
    float next = static_cast<float>(elevation - dy * (PI * ELEVATION_STEP / 4));
    if (next < -(PI * ELEVATION_LOWEST)) {
        next = static_cast<float>(-(PI * ELEVATION_LOWEST));
    } else if (next > PI * ELEVATION_HIGHEST) {
        next = static_cast<float>(PI * ELEVATION_HIGHEST);
    }
    return next;
}

float orbitAzimuth(float azimuth, float dx, int width, int height) {
    const float ratio = static_cast<float>(width) / static_cast<float>(divisorHeight(height));
    return azimuth + dx * PI / (ratio * 4);
}

Float3 orbitEye(float azimuth, float elevation) {
    const float ring = floatCos(elevation) * ORBIT_RADIUS;
    // z takes the double cosine of a double angle, which is sin(azimuth) up
    // to rounding.
    const double zAngle = static_cast<double>(PI) / 2 - static_cast<double>(azimuth);
    return {floatCos(azimuth) * ring, floatSin(elevation) * ORBIT_RADIUS,
            static_cast<float>(std::cos(zAngle) * static_cast<double>(ring))};
}
