// What a draw needs from the GL 1.x state, worked out on the CPU the way
// Mesa prepares its fixed-function vertex program's constants (light.c,
// prog_statevars.c): the shader choice and the uniform values.
#pragma once

#include "web/gl/layer_state.h"

namespace gl_layer {

// Which generated program draws: one per distinct key.
struct ShaderKey {
    bool lit = false;
    bool eyeSpace = false;     // lighting in eye space (else in object space)
    unsigned lightMask = 0;    // enabled lights, bit i for GL_LIGHTi
    bool textured = false;
    bool fogged = false;
    bool operator==(const ShaderKey& o) const {
        return lit == o.lit && eyeSpace == o.eyeSpace && lightMask == o.lightMask &&
               textured == o.textured && fogged == o.fogged;
    }
};

struct DrawUniforms {
    ShaderKey key;
    float mvpColumns[4][4];   // the projection times the modelview, by column
    float eyeRow[4];          // the modelview's third row: eye z = eyeRow . vertex
    float normalRows[3][4];   // eye space: the inverse modelview's columns
    float normalScale[4];     // object space: Mesa's rescale factor (1 for a rigid modelview)
    float sceneColor[4];      // emission + model ambient * material ambient, diffuse alpha
    float shininess;
    float lightDirection[MAX_LIGHTS][4];  // normalised, in the lighting space
    float halfVector[MAX_LIGHTS][4];
    float ambient[MAX_LIGHTS][4];   // light * material
    float diffuse[MAX_LIGHTS][4];
    float specular[MAX_LIGHTS][4];
    float fogColor[4];
    float fogScale, fogOffset;      // linear factor = fog coordinate * scale + offset
};

// Validates the modelview as Mesa does before a draw (its flags and inverse)
// and fills `u` from the state.
void computeDrawUniforms(DrawUniforms& u);

}  // namespace gl_layer
