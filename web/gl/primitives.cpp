// Triangles of each primitive (see primitives.h).
#include "web/gl/primitives.h"

#include <GL/gl.h>

#include <cstddef>

namespace gl_layer {

bool appendTriangles(unsigned mode, std::size_t count, std::size_t base, std::vector<Index>& out) {
    const std::size_t n = count;
    const auto tri = [&out, base](std::size_t a, std::size_t b, std::size_t c) {
        out.push_back(static_cast<Index>(base + a));
        out.push_back(static_cast<Index>(base + b));
        out.push_back(static_cast<Index>(base + c));
    };
    switch (mode) {
    case GL_TRIANGLES:
        for (std::size_t i = 2; i < n; i += 3) tri(i - 2, i - 1, i);
        return true;
    case GL_TRIANGLE_STRIP:
        // Every other triangle swaps its first two vertices to keep the winding.
        for (std::size_t i = 2; i < n; i++) {
            if (i % 2 == 0) tri(i - 2, i - 1, i); else tri(i - 1, i - 2, i);
        }
        return true;
    case GL_TRIANGLE_FAN:
        for (std::size_t i = 2; i < n; i++) tri(0, i - 1, i);
        return true;
    case GL_QUADS:
        for (std::size_t i = 3; i < n; i += 4) {
            tri(i - 3, i - 2, i);
            tri(i - 2, i - 1, i);
        }
        return true;
    case GL_QUAD_STRIP:
        // v0 v1 the first pair, v2 v3 the next: split along v0-v3.
        for (std::size_t i = 3; i < n; i += 2) {
            tri(i - 3, i - 2, i);
            tri(i - 1, i - 3, i);
        }
        return true;
    case GL_POLYGON:
        for (std::size_t i = 2; i < n; i++) tri(i - 1, i, 0);
        return true;
    default:
        return false;
    }
}

}  // namespace gl_layer
