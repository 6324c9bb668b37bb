// The generated programs' GLSL (see shaders.h). Every operation below stands
// for one of Mesa's fixed-function instructions, in its order: MUL/MAD for
// the position, DP4 for the fog's eye z, DP3 for the normal's dot products,
// LIT's clamps, the ADD and the two MADs a light. Changing the order moves
// pixels against Mesa's frames.
#include "web/gl/shader_source.h"

namespace gl_layer {

namespace {

const char* const VERTEX_HEAD = R"(
attribute vec4 aPosition;
attribute vec3 aNormal;
attribute vec2 aTexCoord;
attribute vec4 aColor;
attribute vec4 aMvpColumn3;
attribute float aEyeRowW;
uniform vec4 uMvpColumns[3];
uniform vec4 uEyeRow;
varying vec4 vColor;
varying vec2 vTexCoord;
varying float vFog;
)";

const char* const LIGHTING_HEAD = R"(
uniform vec4 uNormalRows[3];
uniform vec4 uNormalScale;
uniform vec4 uSceneColor;
uniform float uShininess;
uniform vec4 uLightDirection[8];
uniform vec4 uHalfVector[8];
uniform vec4 uAmbient[8];
uniform vec4 uDiffuse[8];
uniform vec4 uSpecular[8];
)";

const char* const POSITION = R"(
    vec4 t = aPosition.x * uMvpColumns[0];
    t = aPosition.y * uMvpColumns[1] + t;
    t = aPosition.z * uMvpColumns[2] + t;
    gl_Position = aPosition.w * aMvpColumn3 + t;
)";

std::string light(int index, bool last) {
    const std::string i = std::to_string(index);
    std::string s =
        "    dots.x = dot(normal, uLightDirection[" + i + "].xyz);\n"
        "    dots.y = dot(normal, uHalfVector[" + i + "].xyz);\n"
        "    litY = max(dots.x, 0.0);\n"
        "    litZ = 0.0 >= dots.x ? 0.0 : pow(max(dots.y, 0.0), max(min(dots.w, 128.0), -128.0));\n"
        "    color = uAmbient[" + i + "] + color;\n"
        "    color = litY * uDiffuse[" + i + "] + color;\n";
    if (last) {
        s += "    lit.xyz = litZ * uSpecular[" + i + "].xyz + color.xyz;\n";
    } else {
        s += "    color = litZ * uSpecular[" + i + "] + color;\n";
    }
    return s;
}

std::string lighting(const ShaderKey& key) {
    std::string s;
    if (key.eyeSpace) {
        s += "    vec3 normal = vec3(dot(aNormal, uNormalRows[0].xyz), dot(aNormal, "
             "uNormalRows[1].xyz), dot(aNormal, uNormalRows[2].xyz));\n";
    } else {
        s += "    vec3 normal = aNormal * uNormalScale.xyz;\n";
    }
    s += "    vec4 dots = vec4(0.0, 0.0, 0.0, uShininess);\n"
         "    vec4 color = uSceneColor;\n"
         "    vec4 lit = uSceneColor;\n"
         "    float litY;\n"
         "    float litZ;\n";
    int last = -1;
    for (int l = 0; l < MAX_LIGHTS; l++) {
        if (key.lightMask & (1u << l)) last = l;
    }
    for (int l = 0; l < MAX_LIGHTS; l++) {
        if (key.lightMask & (1u << l)) s += light(l, l == last);
    }
    s += "    vColor = clamp(lit, 0.0, 1.0);\n";
    return s;
}

}  // namespace

std::string vertexSource(const ShaderKey& key) {
    std::string s = VERTEX_HEAD;
    if (key.lit) s += LIGHTING_HEAD;
    s += "void main() {\n";
    s += POSITION;
    s += key.lit ? lighting(key) : "    vColor = clamp(aColor, 0.0, 1.0);\n";
    if (key.textured) s += "    vTexCoord = aTexCoord;\n";
    if (key.fogged) s += "    vFog = abs(dot(aPosition, vec4(uEyeRow.xyz, aEyeRowW)));\n";
    s += "}\n";
    return s;
}

std::string fragmentSource(const ShaderKey& key) {
    std::string s =
        "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
        "precision highp float;\n"
        "precision highp sampler2D;\n"  // lowp by default: texels would lose bits
        "#else\n"
        "precision mediump float;\n"
        "#endif\n"
        "varying vec4 vColor;\n"
        "varying vec2 vTexCoord;\n"
        "varying float vFog;\n"
        "uniform sampler2D uTexture;\n"
        "uniform vec4 uFogColor;\n"
        "uniform vec4 uFogParams;\n"
        "void main() {\n"
        "    vec4 color = vColor;\n";
    if (key.textured) {
        // GL_MODULATE with an RGB texture: its alpha is 1.
        s += "    color = texture2D(uTexture, vTexCoord) * color;\n";
    }
    if (key.fogged) {
        s += "    float f = clamp(vFog * uFogParams.x + uFogParams.y, 0.0, 1.0);\n"
             "    color.rgb = uFogColor.rgb * (1.0 - f) + color.rgb * f;\n";
    }
    s += "    gl_FragColor = color;\n}\n";
    return s;
}

}  // namespace gl_layer
