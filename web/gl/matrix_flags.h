// Mesa's matrix flags and kinds, shared by the matrix operations and the
// analysis that derives the inverse (see matrix_math.h).
#pragma once

#include "web/gl/matrix_math.h"

namespace gl_layer {

constexpr unsigned FLAG_GENERAL = 0x1;
constexpr unsigned FLAG_ROTATION = 0x2;
constexpr unsigned FLAG_TRANSLATION = 0x4;
constexpr unsigned FLAG_UNIFORM_SCALE = 0x8;
constexpr unsigned FLAG_GENERAL_SCALE = 0x10;
constexpr unsigned FLAG_GENERAL_3D = 0x20;
constexpr unsigned FLAG_PERSPECTIVE = 0x40;
constexpr unsigned FLAG_SINGULAR = 0x80;
constexpr unsigned DIRTY_TYPE = 0x100;
constexpr unsigned DIRTY_FLAGS = 0x200;
constexpr unsigned DIRTY_INVERSE = 0x400;
constexpr unsigned FLAGS_ANGLE_PRESERVING = FLAG_ROTATION | FLAG_TRANSLATION | FLAG_UNIFORM_SCALE;
constexpr unsigned FLAGS_GEOMETRY = FLAG_GENERAL | FLAG_ROTATION | FLAG_TRANSLATION |
                                    FLAG_UNIFORM_SCALE | FLAG_GENERAL_SCALE | FLAG_GENERAL_3D |
                                    FLAG_PERSPECTIVE | FLAG_SINGULAR;
constexpr unsigned FLAGS_LENGTH_PRESERVING = FLAG_ROTATION | FLAG_TRANSLATION;
constexpr unsigned FLAGS_3D = FLAG_ROTATION | FLAG_TRANSLATION | FLAG_UNIFORM_SCALE |
                              FLAG_GENERAL_SCALE | FLAG_GENERAL_3D;

enum Type { GENERAL, IDENTITY, NO_ROT_3D, PERSPECTIVE, TYPE_2D, NO_ROT_2D, TYPE_3D };

constexpr float IDENTITY_M[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

inline bool testFlags(const Matrix& mat, unsigned allowed) {
    return (FLAGS_GEOMETRY & ~allowed & mat.flags) == 0;
}

inline float& at(float* m, int row, int col) { return m[col * 4 + row]; }
inline float at(const float* m, int row, int col) { return m[col * 4 + row]; }

}  // namespace gl_layer
