// The shader choice and uniform values of a draw (see draw_uniforms.h), in
// Mesa's float order: the inverse modelview brings the lights into object
// space when the modelview keeps lengths and every light is directional.
#include "web/gl/draw_uniforms.h"

#include <cmath>
#include <cstring>

namespace gl_layer {

namespace {

constexpr float EYE_Z[3] = {0, 0, 1};  // the viewer's direction, infinite viewer

void normalize3(float* v) {
    float len = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (len != 0.0f) {
        len = 1.0f / sqrtf(len);
        v[0] *= len;
        v[1] *= len;
        v[2] *= len;
    }
}

void transformPoint(float* q, const float* m, const float* p) {
    q[0] = m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12] * p[3];
    q[1] = m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13] * p[3];
    q[2] = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14] * p[3];
    q[3] = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15] * p[3];
}

void transformNormal(float* to, const float* n, const float* m) {
    to[0] = n[0] * m[0] + n[1] * m[1] + n[2] * m[2];
    to[1] = n[0] * m[4] + n[1] * m[5] + n[2] * m[6];
    to[2] = n[0] * m[8] + n[1] * m[9] + n[2] * m[10];
}

void product(float* out, const float* light, const float* material) {
    for (int i = 0; i < 3; i++) out[i] = light[i] * material[i];
    out[3] = material[3];
}

void fillLighting(DrawUniforms& u, const Matrix& mv) {
    const Material& mat = layer.front;
    for (int i = 0; i < 3; i++) {
        u.sceneColor[i] = layer.lightModelAmbient[i] * mat.ambient[i] + mat.emission[i];
    }
    u.sceneColor[3] = mat.diffuse[3];
    u.shininess = mat.shininess;
    float eyeZDir[3];
    if (u.key.eyeSpace) {
        std::memcpy(eyeZDir, EYE_Z, sizeof(eyeZDir));
    } else {
        transformNormal(eyeZDir, EYE_Z, mv.m);
    }
    for (int l = 0; l < MAX_LIGHTS; l++) {
        const Light& light = layer.lights[l];
        if (!light.enabled) continue;
        float position[4];
        if (u.key.eyeSpace) {
            std::memcpy(position, light.eyePosition, sizeof(position));
        } else {
            transformPoint(position, mv.inv, light.eyePosition);
        }
        float* direction = u.lightDirection[l];
        std::memcpy(direction, position, sizeof(position));
        normalize3(direction);
        float* half = u.halfVector[l];
        std::memcpy(half, position, 3 * sizeof(float));
        normalize3(half);
        for (int i = 0; i < 3; i++) half[i] = half[i] + eyeZDir[i];
        normalize3(half);
        half[3] = 0;
        product(u.ambient[l], light.ambient, mat.ambient);
        product(u.diffuse[l], light.diffuse, mat.diffuse);
        product(u.specular[l], light.specular, mat.specular);
    }
    for (int row = 0; row < 3; row++) {
        for (int i = 0; i < 3; i++) u.normalRows[row][i] = mv.inv[row * 4 + i];
        u.normalRows[row][3] = 0;
    }
    for (float& s : u.normalScale) s = 1.0f;
}

}  // namespace

void computeDrawUniforms(DrawUniforms& u) {
    Matrix& mv = modelview();
    analyse(mv);
    analyse(projection());
    u.key = ShaderKey();
    u.key.lit = layer.lighting;
    u.key.textured = layer.texture2d;
    u.key.fogged = layer.fog.enabled && layer.fog.linear;
    if (u.key.lit) {
        bool positional = false;
        for (int l = 0; l < MAX_LIGHTS; l++) {
            if (!layer.lights[l].enabled) continue;
            u.key.lightMask |= 1u << l;
            positional = positional || layer.lights[l].eyePosition[3] != 0.0f;
        }
        // Positional lights are drawn as directional ones: the scene has none.
        u.key.eyeSpace = positional || !lengthPreserving(mv);
        fillLighting(u, mv);
    }
    Matrix mvp;
    multiplyMatrices(mvp, projection(), mv);
    std::memcpy(u.mvpColumns, mvp.m, sizeof(u.mvpColumns));
    for (int i = 0; i < 4; i++) u.eyeRow[i] = mv.m[2 + 4 * i];
    const Fog& fog = layer.fog;
    std::memcpy(u.fogColor, fog.color, sizeof(u.fogColor));
    const float scale = fog.end == fog.start ? 1.0f : -1.0f / (fog.end - fog.start);
    u.fogScale = scale;
    u.fogOffset = fog.end * -scale;
}

}  // namespace gl_layer
