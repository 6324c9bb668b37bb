// Cosine and sine of a float angle in radians: widened to double, the double
// function applied, the result narrowed back to float. The orbit camera and the
// ledge outlines both take them.
#pragma once

#include <cmath>

inline float floatCos(float angle) {
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

inline float floatSin(float angle) {
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}
