// Matrices as Mesa 22's src/mesa/math/m_matrix.c computes them (see
// matrix_math.h): the order of every float operation is kept.
#include "web/gl/matrix_math.h"

#include "web/gl/matrix_flags.h"

#include <cmath>
#include <cstring>

namespace gl_layer {

namespace {

constexpr double PI = 3.14159265358979323846;  // M_PI, which strict C++ need not define
constexpr double DEGREES_TO_RADIANS = PI / 180.0;
constexpr float NO_AXIS = 1.0e-4F;        // shorter rotation axes leave the matrix as it is

void matmul4(float* product, const float* a, const float* b) {
    for (int i = 0; i < 4; i++) {
        const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
        at(product, i, 0) = ai0 * at(b, 0, 0) + ai1 * at(b, 1, 0) + ai2 * at(b, 2, 0) + ai3 * at(b, 3, 0);
        at(product, i, 1) = ai0 * at(b, 0, 1) + ai1 * at(b, 1, 1) + ai2 * at(b, 2, 1) + ai3 * at(b, 3, 1);
        at(product, i, 2) = ai0 * at(b, 0, 2) + ai1 * at(b, 1, 2) + ai2 * at(b, 2, 2) + ai3 * at(b, 3, 2);
        at(product, i, 3) = ai0 * at(b, 0, 3) + ai1 * at(b, 1, 3) + ai2 * at(b, 2, 3) + ai3 * at(b, 3, 3);
    }
}

void matmul34(float* product, const float* a, const float* b) {
    for (int i = 0; i < 3; i++) {
        const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
        at(product, i, 0) = ai0 * at(b, 0, 0) + ai1 * at(b, 1, 0) + ai2 * at(b, 2, 0);
        at(product, i, 1) = ai0 * at(b, 0, 1) + ai1 * at(b, 1, 1) + ai2 * at(b, 2, 1);
        at(product, i, 2) = ai0 * at(b, 0, 2) + ai1 * at(b, 1, 2) + ai2 * at(b, 2, 2);
        at(product, i, 3) = ai0 * at(b, 0, 3) + ai1 * at(b, 1, 3) + ai2 * at(b, 2, 3) + ai3;
    }
    at(product, 3, 0) = 0;
    at(product, 3, 1) = 0;
    at(product, 3, 2) = 0;
    at(product, 3, 3) = 1;
}

// In place: the product is read from a copy of the left factor.
void multiplyInPlace(float* dest, const float* b, bool threeD) {
    float a[16];
    std::memcpy(a, dest, sizeof(a));
    if (threeD) {
        matmul34(dest, a, b);
    } else {
        matmul4(dest, a, b);
    }
}

void multiplyWithFlags(Matrix& mat, const float* m, unsigned flags) {
    mat.flags |= flags | DIRTY_TYPE | DIRTY_INVERSE;
    multiplyInPlace(mat.m, m, testFlags(mat, FLAGS_3D));
}

}  // namespace

void setIdentity(Matrix& mat) {
    std::memcpy(mat.m, IDENTITY_M, sizeof(mat.m));
    std::memcpy(mat.inv, IDENTITY_M, sizeof(mat.inv));
    mat.type = IDENTITY;
    mat.flags &= ~(DIRTY_FLAGS | DIRTY_TYPE | DIRTY_INVERSE | FLAGS_GEOMETRY);
}

void multiplyFloats(Matrix& mat, const float* m) {
    mat.flags |= FLAG_GENERAL | DIRTY_TYPE | DIRTY_INVERSE | DIRTY_FLAGS;
    multiplyInPlace(mat.m, m, false);
}

void rotate(Matrix& mat, float angle, float x, float y, float z) {
    const float s = sinf(static_cast<float>(angle * DEGREES_TO_RADIANS));
    const float c = cosf(static_cast<float>(angle * DEGREES_TO_RADIANS));
    float m[16];
    std::memcpy(m, IDENTITY_M, sizeof(m));
    bool optimized = false;
    if (x == 0.0F) {
        if (y == 0.0F) {
            if (z != 0.0F) {
                optimized = true;
                at(m, 0, 0) = c;
                at(m, 1, 1) = c;
                at(m, 0, 1) = z < 0.0F ? s : -s;
                at(m, 1, 0) = z < 0.0F ? -s : s;
            }
        } else if (z == 0.0F) {
            optimized = true;
            at(m, 0, 0) = c;
            at(m, 2, 2) = c;
            at(m, 0, 2) = y < 0.0F ? -s : s;
            at(m, 2, 0) = y < 0.0F ? s : -s;
        }
    } else if (y == 0.0F && z == 0.0F) {
        optimized = true;
        at(m, 1, 1) = c;
        at(m, 2, 2) = c;
        at(m, 1, 2) = x < 0.0F ? s : -s;
        at(m, 2, 1) = x < 0.0F ? -s : s;
    }
    if (!optimized) {
        const float mag = sqrtf(x * x + y * y + z * z);
        if (mag <= NO_AXIS) return;
        x /= mag;
        y /= mag;
        z /= mag;
        const float xx = x * x, yy = y * y, zz = z * z;
        const float xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s;
        const float oneC = 1.0F - c;
        at(m, 0, 0) = (oneC * xx) + c;
        at(m, 0, 1) = (oneC * xy) - zs;
        at(m, 0, 2) = (oneC * zx) + ys;
        at(m, 1, 0) = (oneC * xy) + zs;
        at(m, 1, 1) = (oneC * yy) + c;
        at(m, 1, 2) = (oneC * yz) - xs;
        at(m, 2, 0) = (oneC * zx) - ys;
        at(m, 2, 1) = (oneC * yz) + xs;
        at(m, 2, 2) = (oneC * zz) + c;
    }
    multiplyWithFlags(mat, m, FLAG_ROTATION);
}

void translate(Matrix& mat, float x, float y, float z) {
    float* m = mat.m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
    mat.flags |= FLAG_TRANSLATION | DIRTY_TYPE | DIRTY_INVERSE;
}

void scale(Matrix& mat, float x, float y, float z) {
    float* m = mat.m;
    m[0] *= x; m[4] *= y; m[8] *= z;
    m[1] *= x; m[5] *= y; m[9] *= z;
    m[2] *= x; m[6] *= y; m[10] *= z;
    m[3] *= x; m[7] *= y; m[11] *= z;
    if (fabsf(x - y) < 1e-8F && fabsf(x - z) < 1e-8F) {
        mat.flags |= FLAG_UNIFORM_SCALE;
    } else {
        mat.flags |= FLAG_GENERAL_SCALE;
    }
    mat.flags |= DIRTY_TYPE | DIRTY_INVERSE;
}

void ortho(Matrix& mat, float left, float right, float bottom, float top, float nearVal,
           float farVal) {
    float m[16];
    at(m, 0, 0) = 2.0F / (right - left);
    at(m, 0, 1) = 0.0F;
    at(m, 0, 2) = 0.0F;
    at(m, 0, 3) = -(right + left) / (right - left);
    at(m, 1, 0) = 0.0F;
    at(m, 1, 1) = 2.0F / (top - bottom);
    at(m, 1, 2) = 0.0F;
    at(m, 1, 3) = -(top + bottom) / (top - bottom);
    at(m, 2, 0) = 0.0F;
    at(m, 2, 1) = 0.0F;
    at(m, 2, 2) = -2.0F / (farVal - nearVal);
    at(m, 2, 3) = -(farVal + nearVal) / (farVal - nearVal);
    at(m, 3, 0) = 0.0F;
    at(m, 3, 1) = 0.0F;
    at(m, 3, 2) = 0.0F;
    at(m, 3, 3) = 1.0F;
    multiplyWithFlags(mat, m, FLAG_GENERAL_SCALE | FLAG_TRANSLATION);
}

void multiplyMatrices(Matrix& dest, const Matrix& a, const Matrix& b) {
    dest.flags = a.flags | b.flags | DIRTY_TYPE | DIRTY_INVERSE;
    if (testFlags(a, FLAGS_3D) && testFlags(b, FLAGS_3D)) {
        matmul34(dest.m, a.m, b.m);
    } else {
        matmul4(dest.m, a.m, b.m);
    }
}

bool lengthPreserving(const Matrix& mat) {
    return testFlags(mat, FLAGS_LENGTH_PRESERVING);
}

}  // namespace gl_layer
