// GL 1.x primitives as the triangles llvmpipe draws them (Mesa's
// lp_setup_vbuf.c with the last vertex provoking, GL's default): each quad
// of a strip or a list split along the same diagonal, in the same vertex
// order, so that edge pixels fall as they fall in Mesa's frames.
#pragma once

#include <vector>

#include "web/gl/layer_state.h"

namespace gl_layer {

// Appends the triangles of a glBegin(`mode`) block to `out`; false for a
// mode the layer does not draw (points and lines: the scene has none).
bool appendTriangles(unsigned mode, const std::vector<Vertex>& in, std::vector<Vertex>& out);

}  // namespace gl_layer
