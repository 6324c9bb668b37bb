// The flags, kind and inverse Mesa derives from a matrix when it validates
// state (m_matrix.c's analyse_from_scratch, analyse_from_flags and the
// inversions), operation for operation.
#include <cmath>
#include <cstring>
#include <utility>  // std::swap: <cmath> only declares it in newer libc++

#include "web/gl/matrix_flags.h"

namespace gl_layer {

namespace {

constexpr float TOLERANCE = 1e-6F;      // of the analysis
constexpr float SINGULAR_DET = 1e-25F;  // of the 3x3 inversion

constexpr unsigned zero(int i) { return 1u << i; }
constexpr unsigned one(int i) { return 1u << (i + 16); }

constexpr unsigned MASK_NO_TRX = zero(12) | zero(13) | zero(14);
constexpr unsigned MASK_NO_2D_SCALE = one(0) | one(5);
constexpr unsigned MASK_IDENTITY = one(0) | zero(4) | zero(8) | zero(12) | zero(1) | one(5) |
                                   zero(9) | zero(13) | zero(2) | zero(6) | one(10) | zero(14) |
                                   zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_2D_NO_ROT = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) |
                                    one(10) | zero(14) | zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_2D = zero(8) | zero(9) | zero(2) | zero(6) | one(10) | zero(14) |
                             zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_3D_NO_ROT = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) |
                                    zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_3D = zero(3) | zero(7) | zero(11) | one(15);
constexpr unsigned MASK_PERSPECTIVE = zero(4) | zero(12) | zero(1) | zero(13) | zero(2) |
                                      zero(6) | zero(3) | zero(7) | zero(15);

float sq(float x) { return x * x; }
float dot2(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1]; }
float dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void analyseFromScratch(Matrix& mat) {
    const float* m = mat.m;
    unsigned mask = 0;
    for (int i = 0; i < 16; i++) {
        if (m[i] == 0.0F) mask |= 1u << i;
    }
    if (m[0] == 1.0F) mask |= 1u << 16;
    if (m[5] == 1.0F) mask |= 1u << 21;
    if (m[10] == 1.0F) mask |= 1u << 26;
    if (m[15] == 1.0F) mask |= 1u << 31;
    mat.flags &= ~FLAGS_GEOMETRY;
    if ((mask & MASK_NO_TRX) != MASK_NO_TRX) mat.flags |= FLAG_TRANSLATION;
    if (mask == MASK_IDENTITY) {
        mat.type = IDENTITY;
    } else if ((mask & MASK_2D_NO_ROT) == MASK_2D_NO_ROT) {
        mat.type = NO_ROT_2D;
        if ((mask & MASK_NO_2D_SCALE) != MASK_NO_2D_SCALE) mat.flags |= FLAG_GENERAL_SCALE;
    } else if ((mask & MASK_2D) == MASK_2D) {
        const float mm = dot2(m, m), m4m4 = dot2(m + 4, m + 4), mm4 = dot2(m, m + 4);
        mat.type = TYPE_2D;
        if (sq(mm - 1) > sq(TOLERANCE) || sq(m4m4 - 1) > sq(TOLERANCE)) {
            mat.flags |= FLAG_GENERAL_SCALE;
        }
        mat.flags |= sq(mm4) > sq(TOLERANCE) ? FLAG_GENERAL_3D : FLAG_ROTATION;
    } else if ((mask & MASK_3D_NO_ROT) == MASK_3D_NO_ROT) {
        mat.type = NO_ROT_3D;
        if (sq(m[0] - m[5]) < sq(TOLERANCE) && sq(m[0] - m[10]) < sq(TOLERANCE)) {
            if (sq(m[0] - 1.0F) > sq(TOLERANCE)) mat.flags |= FLAG_UNIFORM_SCALE;
        } else {
            mat.flags |= FLAG_GENERAL_SCALE;
        }
    } else if ((mask & MASK_3D) == MASK_3D) {
        const float c1 = dot3(m, m), c2 = dot3(m + 4, m + 4), c3 = dot3(m + 8, m + 8);
        const float d1 = dot3(m, m + 4);
        mat.type = TYPE_3D;
        if (sq(c1 - c2) < sq(TOLERANCE) && sq(c1 - c3) < sq(TOLERANCE)) {
            if (sq(c1 - 1.0F) > sq(TOLERANCE)) mat.flags |= FLAG_UNIFORM_SCALE;
        } else {
            mat.flags |= FLAG_GENERAL_SCALE;
        }
        if (sq(d1) < sq(TOLERANCE)) {
            float cp[3] = {m[1] * m[6] - m[2] * m[5], m[2] * m[4] - m[0] * m[6],
                           m[0] * m[5] - m[1] * m[4]};
            cp[0] -= m[8];
            cp[1] -= m[9];
            cp[2] -= m[10];
            mat.flags |= dot3(cp, cp) < sq(TOLERANCE) ? FLAG_ROTATION : FLAG_GENERAL_3D;
        } else {
            mat.flags |= FLAG_GENERAL_3D;
        }
    } else if ((mask & MASK_PERSPECTIVE) == MASK_PERSPECTIVE && m[11] == -1.0F) {
        mat.type = PERSPECTIVE;
        mat.flags |= FLAG_GENERAL;
    } else {
        mat.type = GENERAL;
        mat.flags |= FLAG_GENERAL;
    }
}

void analyseFromFlags(Matrix& mat) {
    const float* m = mat.m;
    if (testFlags(mat, 0)) {
        mat.type = IDENTITY;
    } else if (testFlags(mat, FLAG_TRANSLATION | FLAG_UNIFORM_SCALE | FLAG_GENERAL_SCALE)) {
        mat.type = m[10] == 1.0F && m[14] == 0.0F ? NO_ROT_2D : NO_ROT_3D;
    } else if (testFlags(mat, FLAGS_3D)) {
        const bool flat = m[8] == 0.0F && m[9] == 0.0F && m[2] == 0.0F && m[6] == 0.0F &&
                          m[10] == 1.0F && m[14] == 0.0F;
        mat.type = flat ? TYPE_2D : TYPE_3D;
    } else if (m[4] == 0.0F && m[12] == 0.0F && m[1] == 0.0F && m[13] == 0.0F && m[2] == 0.0F &&
               m[6] == 0.0F && m[3] == 0.0F && m[7] == 0.0F && m[11] == -1.0F && m[15] == 0.0F) {
        mat.type = PERSPECTIVE;
    } else {
        mat.type = GENERAL;
    }
}

// The translation column of an inverse whose 3x3 part is in place.
void invertTranslation(const float* in, float* out) {
    for (int row = 0; row < 3; row++) {
        at(out, row, 3) = -(at(in, 0, 3) * at(out, row, 0) + at(in, 1, 3) * at(out, row, 1) +
                            at(in, 2, 3) * at(out, row, 2));
    }
}

bool invert3dGeneral(Matrix& mat) {
    const float* in = mat.m;
    float* out = mat.inv;
    float pos = 0.0F, neg = 0.0F;
    const float terms[6] = {
        at(in, 0, 0) * at(in, 1, 1) * at(in, 2, 2),
        at(in, 1, 0) * at(in, 2, 1) * at(in, 0, 2),
        at(in, 2, 0) * at(in, 0, 1) * at(in, 1, 2),
        -at(in, 2, 0) * at(in, 1, 1) * at(in, 0, 2),
        -at(in, 1, 0) * at(in, 0, 1) * at(in, 2, 2),
        -at(in, 0, 0) * at(in, 2, 1) * at(in, 1, 2),
    };
    for (const float t : terms) {
        if (t >= 0.0F) pos += t; else neg += t;
    }
    float det = pos + neg;
    if (fabsf(det) < SINGULAR_DET) return false;
    det = 1.0F / det;
    at(out, 0, 0) = ((at(in, 1, 1) * at(in, 2, 2) - at(in, 2, 1) * at(in, 1, 2)) * det);
    at(out, 0, 1) = (-(at(in, 0, 1) * at(in, 2, 2) - at(in, 2, 1) * at(in, 0, 2)) * det);
    at(out, 0, 2) = ((at(in, 0, 1) * at(in, 1, 2) - at(in, 1, 1) * at(in, 0, 2)) * det);
    at(out, 1, 0) = (-(at(in, 1, 0) * at(in, 2, 2) - at(in, 2, 0) * at(in, 1, 2)) * det);
    at(out, 1, 1) = ((at(in, 0, 0) * at(in, 2, 2) - at(in, 2, 0) * at(in, 0, 2)) * det);
    at(out, 1, 2) = (-(at(in, 0, 0) * at(in, 1, 2) - at(in, 1, 0) * at(in, 0, 2)) * det);
    at(out, 2, 0) = ((at(in, 1, 0) * at(in, 2, 1) - at(in, 2, 0) * at(in, 1, 1)) * det);
    at(out, 2, 1) = (-(at(in, 0, 0) * at(in, 2, 1) - at(in, 2, 0) * at(in, 0, 1)) * det);
    at(out, 2, 2) = ((at(in, 0, 0) * at(in, 1, 1) - at(in, 1, 0) * at(in, 0, 1)) * det);
    invertTranslation(in, out);
    return true;
}

bool invert3d(Matrix& mat) {
    const float* in = mat.m;
    float* out = mat.inv;
    if (!testFlags(mat, FLAGS_ANGLE_PRESERVING)) return invert3dGeneral(mat);
    if (mat.flags & (FLAG_UNIFORM_SCALE | FLAG_ROTATION)) {
        float s = 1.0F;
        if (mat.flags & FLAG_UNIFORM_SCALE) {
            s = at(in, 0, 0) * at(in, 0, 0) + at(in, 0, 1) * at(in, 0, 1) +
                at(in, 0, 2) * at(in, 0, 2);
            if (s == 0.0F) return false;
            s = 1.0F / s;
        }
        const bool scaled = (mat.flags & FLAG_UNIFORM_SCALE) != 0;
        for (int row = 0; row < 3; row++) {
            for (int col = 0; col < 3; col++) {
                at(out, row, col) = scaled ? s * at(in, col, row) : at(in, col, row);
            }
        }
    } else {
        std::memcpy(out, IDENTITY_M, sizeof(IDENTITY_M));
        for (int row = 0; row < 3; row++) at(out, row, 3) = -at(in, row, 3);
        return true;
    }
    if (mat.flags & FLAG_TRANSLATION) {
        invertTranslation(in, out);
    } else {
        at(out, 0, 3) = at(out, 1, 3) = at(out, 2, 3) = 0.0F;
    }
    return true;
}

bool invertNoRot(Matrix& mat, int axes) {
    const float* in = mat.m;
    float* out = mat.inv;
    for (int i = 0; i < axes; i++) {
        if (at(in, i, i) == 0) return false;
    }
    std::memcpy(out, IDENTITY_M, sizeof(IDENTITY_M));
    for (int i = 0; i < axes; i++) at(out, i, i) = 1.0F / at(in, i, i);
    if (mat.flags & FLAG_TRANSLATION) {
        for (int i = 0; i < axes; i++) at(out, i, 3) = -(at(in, i, 3) * at(out, i, i));
    }
    return true;
}

// Gauss-Jordan with partial pivoting. The scene's matrices never take this
// path (they are affine), so it is not matched to Mesa's bit for bit.
bool invertGeneral(Matrix& mat) {
    double a[4][8];
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 4; c++) {
            a[r][c] = at(mat.m, r, c);
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    }
    for (int c = 0; c < 4; c++) {
        int pivot = c;
        for (int r = c + 1; r < 4; r++) {
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        }
        if (a[pivot][c] == 0.0) return false;
        for (int k = 0; k < 8; k++) std::swap(a[c][k], a[pivot][k]);
        const double d = a[c][c];
        for (int k = 0; k < 8; k++) a[c][k] /= d;
        for (int r = 0; r < 4; r++) {
            if (r == c) continue;
            const double f = a[r][c];
            for (int k = 0; k < 8; k++) a[r][k] -= f * a[c][k];
        }
    }
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 4; c++) at(mat.inv, r, c) = static_cast<float>(a[r][c + 4]);
    }
    return true;
}

bool invert(Matrix& mat) {
    switch (mat.type) {
    case IDENTITY:
        std::memcpy(mat.inv, IDENTITY_M, sizeof(IDENTITY_M));
        return true;
    case NO_ROT_3D: return invertNoRot(mat, 3);
    case NO_ROT_2D: return invertNoRot(mat, 2);
    case TYPE_2D:
    case TYPE_3D: return invert3d(mat);
    default: return invertGeneral(mat);
    }
}

}  // namespace

void analyse(Matrix& mat) {
    if (mat.flags & DIRTY_TYPE) {
        if (mat.flags & DIRTY_FLAGS) {
            analyseFromScratch(mat);
        } else {
            analyseFromFlags(mat);
        }
    }
    if (mat.flags & DIRTY_INVERSE) {
        if (invert(mat)) {
            mat.flags &= ~FLAG_SINGULAR;
        } else {
            mat.flags |= FLAG_SINGULAR;
            std::memcpy(mat.inv, IDENTITY_M, sizeof(IDENTITY_M));
        }
        mat.flags &= ~DIRTY_INVERSE;
    }
    mat.flags &= ~(DIRTY_FLAGS | DIRTY_TYPE);
}

}  // namespace gl_layer
