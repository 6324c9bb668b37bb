// Three-component float vectors and the few operations the particles need.
#include "particles/vector3.h"

#include <cmath>

Vector3 addVectors(const Vector3& a, const Vector3& b) {
    return Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}

Vector3 crossProduct(const Vector3& a, const Vector3& b) {
    return Vector3(a.y * b.z - a.z * b.y,
                   a.z * b.x - a.x * b.z,
                   a.x * b.y - a.y * b.x);
}

float dotProduct(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

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
