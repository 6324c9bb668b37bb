// GL 1.x primitives as the triangles llvmpipe draws them (Mesa's
// lp_setup_vbuf.c with the last vertex provoking, GL's default): each quad
// of a strip or a list split along the same diagonal, in the same vertex
// order, so that edge pixels fall as they fall in Mesa's frames.
#pragma once

#include <cstddef>
#include <vector>

namespace gl_layer {

using Index = unsigned short;  // 16 bits: what WebGL 1 draws without an extension
constexpr std::size_t MAX_INDEXED_VERTICES = 65536;

// Appends the triangles of a glBegin(`mode`) block of `count` vertices to
// `out`, as indices from `base`; false for a mode the layer does not draw
// (points and lines: the scene has none).
bool appendTriangles(unsigned mode, std::size_t count, std::size_t base, std::vector<Index>& out);

}  // namespace gl_layer
