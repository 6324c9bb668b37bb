// The GLSL ES 1.00 text of a generated program (see shaders.h).
#pragma once

#include <string>

#include "web/gl/draw_uniforms.h"

namespace gl_layer {

std::string vertexSource(const ShaderKey& key);
std::string fragmentSource(const ShaderKey& key);

}  // namespace gl_layer
