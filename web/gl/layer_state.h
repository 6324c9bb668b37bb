// The GL 1.x state the layer keeps itself (what ES has no place for): the
// matrix stacks, lights, material, fog, the current vertex attributes,
// texturing, and the enables that choose the shader. Plain types only, so
// that both the GL 1.x side and the ES side can include it.
#pragma once

#include <vector>

#include "web/gl/matrix_math.h"

namespace gl_layer {

constexpr int MAX_LIGHTS = 8;  // GL_LIGHT0 to GL_LIGHT7
constexpr int MATRIX_MODES = 2;  // modelview, projection
constexpr int MODELVIEW = 0;
constexpr int PROJECTION = 1;

// One vertex as the layer sends it to ES: floats, interleaved.
struct Vertex {
    float position[3];
    float normal[3];
    float texCoord[2];
    float color[4];
};
constexpr int VERTEX_FLOATS = 12;

struct Light {
    bool enabled = false;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float eyePosition[4] = {0, 0, 1, 0};  // as given, through the modelview of the call
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

struct Fog {
    bool enabled = false;
    bool linear = false;  // GL_EXP is GL's default; the layer draws linear fog only
    float density = 1;
    float start = 0;       // scene units
    float end = 1;         // scene units
    float color[4] = {0, 0, 0, 0};
};

struct LayerState {
    std::vector<Matrix> stacks[MATRIX_MODES];  // back() is the top
    int matrixMode = MODELVIEW;
    bool lighting = false;
    bool texture2d = false;
    Light lights[MAX_LIGHTS];
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    Material front;
    Fog fog;
    // Current attributes, as glNormal, glTexCoord and glColor leave them.
    float normal[3] = {0, 0, 1};
    float texCoord[2] = {0, 0};
    float color[4] = {1, 1, 1, 1};
    unsigned boundTexture = 0;  // the program's name for it
};

extern LayerState layer;

Matrix& top(int mode);
inline Matrix& modelview() { return top(MODELVIEW); }
inline Matrix& projection() { return top(PROJECTION); }
// GL 1.x's start state: identity matrices, light 0 white, the rest off.
void resetLayerState();

}  // namespace gl_layer
