// Three-component float vectors and the few operations the particles need.
#pragma once

// y is vertical, positive upwards. Plain value: results are returned by value,
// so nothing is allocated when particles move.
struct Vector3 {
    Vector3(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

    float x;
    float y;
    float z;
};

// The three below run for every live particle on every step: defined here so
// that they are inlined into the update.
inline Vector3 addVectors(const Vector3& a, const Vector3& b) {
    return Vector3(a.x + b.x, a.y + b.y, a.z + b.z);
}
// Right-handed, `a` on the left: swapping the arguments negates the result.
inline Vector3 crossProduct(const Vector3& a, const Vector3& b) {
    return Vector3(a.y * b.z - a.z * b.y,
                   a.z * b.x - a.x * b.z,
                   a.x * b.y - a.y * b.x);
}
inline float dotProduct(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
float vectorLength(const Vector3& a);
// Does not test for a zero length: (0, 0, 0) gives three NaNs.
Vector3 normalizeVector(const Vector3& a);
// The double-precision library root, narrowed to float.
float floatSqrt(float value);
