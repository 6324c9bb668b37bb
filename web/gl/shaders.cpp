// Builds, caches and feeds the generated programs (see shaders.h).
#include "web/gl/shaders.h"

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

// Each uniform's values as last sent to its program, byte for byte: a draw
// sends only those that changed.
enum Sent { SENT_MVP, SENT_EYE_ROW, SENT_NORMAL_ROWS, SENT_NORMAL_SCALE, SENT_SCENE_COLOR,
            SENT_SHININESS, SENT_LIGHT_DIRECTION, SENT_HALF_VECTOR, SENT_AMBIENT, SENT_DIFFUSE,
            SENT_SPECULAR, SENT_TEXTURE, SENT_FOG_COLOR, SENT_FOG_PARAMS, SENT_COUNT };

struct Program {
    ShaderKey key;
    GLuint id = 0;
    GLint mvpColumns, eyeRow, normalRows, normalScale, sceneColor, shininess, lightDirection,
        halfVector, ambient, diffuse, specular, texture, fogColor, fogParams;
    std::vector<float> sent[SENT_COUNT];
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

// True when `values` differ from what was sent last (and keeps them).
bool changed(Program& p, Sent which, const float* values, std::size_t floats) {
    std::vector<float>& last = p.sent[which];
    if (last.size() == floats && std::memcmp(last.data(), values, floats * sizeof(float)) == 0) {
        return false;
    }
    last.assign(values, values + floats);
    return true;
}

void vec4s(Program& p, Sent which, GLint location, int count, const float* values) {
    if (location >= 0 && changed(p, which, values, static_cast<std::size_t>(count) * 4)) {
        es.Uniform4fv(location, count, values);
    }
}

}  // namespace

bool useProgram(const DrawUniforms& u) {
    Program* p = find(u.key);
    if (!p) return false;
    if (p->id != current) {
        es.UseProgram(p->id);
        current = p->id;
    }
    vec4s(*p, SENT_MVP, p->mvpColumns, 3, &u.mvpColumns[0][0]);
    vec4s(*p, SENT_EYE_ROW, p->eyeRow, 1, u.eyeRow);
    if (u.key.lit) {
        vec4s(*p, SENT_NORMAL_ROWS, p->normalRows, 3, &u.normalRows[0][0]);
        vec4s(*p, SENT_NORMAL_SCALE, p->normalScale, 1, u.normalScale);
        vec4s(*p, SENT_SCENE_COLOR, p->sceneColor, 1, u.sceneColor);
        if (p->shininess >= 0 && changed(*p, SENT_SHININESS, &u.shininess, 1)) {
            es.Uniform1f(p->shininess, u.shininess);
        }
        vec4s(*p, SENT_LIGHT_DIRECTION, p->lightDirection, MAX_LIGHTS, &u.lightDirection[0][0]);
        vec4s(*p, SENT_HALF_VECTOR, p->halfVector, MAX_LIGHTS, &u.halfVector[0][0]);
        vec4s(*p, SENT_AMBIENT, p->ambient, MAX_LIGHTS, &u.ambient[0][0]);
        vec4s(*p, SENT_DIFFUSE, p->diffuse, MAX_LIGHTS, &u.diffuse[0][0]);
        vec4s(*p, SENT_SPECULAR, p->specular, MAX_LIGHTS, &u.specular[0][0]);
    }
    const float unit = 0;  // texture unit 0, kept as a float for the comparison
    if (p->texture >= 0 && changed(*p, SENT_TEXTURE, &unit, 1)) es.Uniform1i(p->texture, 0);
    vec4s(*p, SENT_FOG_COLOR, p->fogColor, 1, u.fogColor);
    if (p->fogParams >= 0) {
        const float params[4] = {u.fogScale, u.fogOffset, 0, 0};
        vec4s(*p, SENT_FOG_PARAMS, p->fogParams, 1, params);
    }
    return true;
}

void forgetPrograms() {
    programs.clear();
    current = 0;
}

}  // namespace gl_layer
