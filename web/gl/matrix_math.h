// 4x4 matrices as Mesa keeps them: column-major floats, the same float
// operations in the same order, and the flags and inverse Mesa derives from
// them (which decide whether lighting runs in object or eye space, and how
// the inverse is computed), so the layer's frames match Mesa's to the bit.
#pragma once

namespace gl_layer {

struct Matrix {
    float m[16];
    float inv[16];
    unsigned flags;  // Mesa's MAT_FLAG_* and MAT_DIRTY_* bits
    int type;        // Mesa's MATRIX_* kind, which picks the inversion
};

void setIdentity(Matrix& mat);
void multiplyFloats(Matrix& mat, const float* m);  // glMultMatrixf
void rotate(Matrix& mat, float angle, float x, float y, float z);  // degrees
void translate(Matrix& mat, float x, float y, float z);
void scale(Matrix& mat, float x, float y, float z);
void ortho(Matrix& mat, float left, float right, float bottom, float top, float nearVal,
           float farVal);
// Brings the flags, the type and the inverse up to date, as Mesa does when
// it validates state before a draw.
void analyse(Matrix& mat);
// dest = a * b; Mesa's product of the projection and the modelview.
void multiplyMatrices(Matrix& dest, const Matrix& a, const Matrix& b);
// What Mesa asks of the modelview before lighting in object space.
bool lengthPreserving(const Matrix& mat);

}  // namespace gl_layer
