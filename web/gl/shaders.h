// The programs generated from the fixed-function state: one per ShaderKey,
// made on first use. The vertex shader follows Mesa's fixed-function vertex
// program instruction for instruction (ffvertex_prog.c, without the parts
// the scene never uses), the fragment shader its texture-environment and fog
// program (ff_fragment_shader.cpp).
#pragma once

#include "web/gl/draw_uniforms.h"

namespace gl_layer {

// Vertex attribute slots, the same in every program.
enum Attribute : unsigned {
    ATTRIB_POSITION = 0,
    ATTRIB_NORMAL,
    ATTRIB_TEXCOORD,
    ATTRIB_COLOR,
    ATTRIB_MVP_COLUMN3,  // per drop where drops are instances
    ATTRIB_EYE_ROW_W,    // per drop where drops are instances
    ATTRIB_COUNT
};

// Makes the program of `u.key` current and loads `u` into it; false if it
// could not be built (the reason went to standard error).
bool useProgram(const DrawUniforms& u);
// Forgets every program (for a new context).
void forgetPrograms();

}  // namespace gl_layer
