// Three-component float vectors and the few operations the particles need.
#include "particles/vector3.h"

#include <cmath>

float vectorLength(const Vector3& a) {
    return floatSqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}

Vector3 normalizeVector(const Vector3& a) {
    const float length = vectorLength(a);
    return Vector3(a.x / length, a.y / length, a.z / length);
}

float floatSqrt(float value) {
    return static_cast<float>(std::sqrt(static_cast<double>(value)));
}
