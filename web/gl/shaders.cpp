// Builds, caches and feeds the generated programs (see shaders.h).
#include "web/gl/shaders.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "web/gl/es_api.h"
#include "web/gl/shader_source.h"

namespace gl_layer {

namespace {

constexpr GLsizei LOG_CHARS = 2048;  // of a compile or link log shown

const char* const ATTRIBUTE_NAMES[ATTRIB_COUNT] = {
    "aPosition", "aNormal", "aTexCoord", "aColor", "aMvpColumn3", "aEyeRowW"};

struct Program {
    ShaderKey key;
    GLuint id = 0;
    GLint mvpColumns, eyeRow, normalRows, normalScale, sceneColor, shininess, lightDirection,
        halfVector, ambient, diffuse, specular, texture, fogColor, fogParams;
    // What this program's uniforms hold: a drop drawn after a drop (one by
    // one) changes none of them, so it sends none.
    DrawUniforms loaded{};
    bool anyLoaded = false;
};

std::vector<Program> programs;
GLuint current = 0;

GLuint compile(GLenum type, const std::string& source) {
    const GLuint shader = es.CreateShader(type);
    const GLchar* text = source.c_str();
    es.ShaderSource(shader, 1, &text, nullptr);
    es.CompileShader(shader);
    GLint ok = GL_FALSE;
    es.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[LOG_CHARS] = {};
        es.GetShaderInfoLog(shader, LOG_CHARS, nullptr, log);
        std::fprintf(stderr, "gl layer: shader does not compile: %s\n%s", log, text);
        return 0;
    }
    return shader;
}

bool build(Program& p) {
    const GLuint vs = compile(GL_VERTEX_SHADER, vertexSource(p.key));
    const GLuint fs = compile(GL_FRAGMENT_SHADER, fragmentSource(p.key));
    if (!vs || !fs) return false;
    p.id = es.CreateProgram();
    es.AttachShader(p.id, vs);
    es.AttachShader(p.id, fs);
    for (unsigned a = 0; a < ATTRIB_COUNT; a++) es.BindAttribLocation(p.id, a, ATTRIBUTE_NAMES[a]);
    es.LinkProgram(p.id);
    GLint ok = GL_FALSE;
    es.GetProgramiv(p.id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[LOG_CHARS] = {};
        es.GetProgramInfoLog(p.id, LOG_CHARS, nullptr, log);
        std::fprintf(stderr, "gl layer: program does not link: %s\n", log);
        return false;
    }
    const auto at = [&p](const char* name) { return es.GetUniformLocation(p.id, name); };
    p.mvpColumns = at("uMvpColumns");
    p.eyeRow = at("uEyeRow");
    p.normalRows = at("uNormalRows");
    p.normalScale = at("uNormalScale");
    p.sceneColor = at("uSceneColor");
    p.shininess = at("uShininess");
    p.lightDirection = at("uLightDirection");
    p.halfVector = at("uHalfVector");
    p.ambient = at("uAmbient");
    p.diffuse = at("uDiffuse");
    p.specular = at("uSpecular");
    p.texture = at("uTexture");
    p.fogColor = at("uFogColor");
    p.fogParams = at("uFogParams");
    return true;
}

Program* find(const ShaderKey& key) {
    for (Program& p : programs) {
        if (p.key == key) return p.id ? &p : nullptr;
    }
    programs.push_back(Program{});
    programs.back().key = key;
    if (!build(programs.back())) {
        programs.back().id = 0;
        return nullptr;
    }
    return &programs.back();
}

// Sends `count` vec4s to `location` unless they are what it holds.
void vec4s(GLint location, int count, const float* values, float* held, bool fresh) {
    const std::size_t bytes = static_cast<std::size_t>(count) * 4 * sizeof(float);
    if (location < 0 || (!fresh && std::memcmp(values, held, bytes) == 0)) return;
    es.Uniform4fv(location, count, values);
    std::memcpy(held, values, bytes);
}

}  // namespace

bool useProgram(const DrawUniforms& u) {
    Program* p = find(u.key);
    if (!p) return false;
    if (p->id != current) {
        es.UseProgram(p->id);
        current = p->id;
    }
    const bool fresh = !p->anyLoaded;
    DrawUniforms& held = p->loaded;
    vec4s(p->mvpColumns, 3, &u.mvpColumns[0][0], &held.mvpColumns[0][0], fresh);
    vec4s(p->eyeRow, 1, u.eyeRow, held.eyeRow, fresh);
    if (u.key.lit) {
        vec4s(p->normalRows, 3, &u.normalRows[0][0], &held.normalRows[0][0], fresh);
        vec4s(p->normalScale, 1, u.normalScale, held.normalScale, fresh);
        vec4s(p->sceneColor, 1, u.sceneColor, held.sceneColor, fresh);
        if (p->shininess >= 0 && (fresh || held.shininess != u.shininess)) {
            es.Uniform1f(p->shininess, u.shininess);
            held.shininess = u.shininess;
        }
        vec4s(p->lightDirection, MAX_LIGHTS, &u.lightDirection[0][0], &held.lightDirection[0][0],
              fresh);
        vec4s(p->halfVector, MAX_LIGHTS, &u.halfVector[0][0], &held.halfVector[0][0], fresh);
        vec4s(p->ambient, MAX_LIGHTS, &u.ambient[0][0], &held.ambient[0][0], fresh);
        vec4s(p->diffuse, MAX_LIGHTS, &u.diffuse[0][0], &held.diffuse[0][0], fresh);
        vec4s(p->specular, MAX_LIGHTS, &u.specular[0][0], &held.specular[0][0], fresh);
    }
    if (p->texture >= 0 && fresh) es.Uniform1i(p->texture, 0);
    vec4s(p->fogColor, 1, u.fogColor, held.fogColor, fresh);
    if (p->fogParams >= 0) {
        const float params[4] = {u.fogScale, u.fogOffset, 0, 0};
        float heldParams[4] = {held.fogScale, held.fogOffset, 0, 0};
        vec4s(p->fogParams, 1, params, heldParams, fresh);
        held.fogScale = heldParams[0];
        held.fogOffset = heldParams[1];
    }
    p->anyLoaded = true;
    return true;
}

void forgetPrograms() {
    programs.clear();
    current = 0;
}

}  // namespace gl_layer
