// Loads the ES entry points by name (see es_api.h).
#include "web/gl/es_api.h"

namespace gl_layer {

EsApi es;

namespace {

template <typename Function>
bool loadOne(ProcLoader load, Function& slot, const char* name) {
    slot = reinterpret_cast<Function>(load(name));
    return slot != nullptr;
}

}  // namespace

bool loadEs(ProcLoader load, int esMajor, bool angleInstancedArrays) {
    bool ok = true;
#define WATERFALL_ES(name) ok = loadOne(load, es.name, "gl" #name) && ok
    WATERFALL_ES(ActiveTexture);
    WATERFALL_ES(AttachShader);
    WATERFALL_ES(BindAttribLocation);
    WATERFALL_ES(BindBuffer);
    WATERFALL_ES(BindTexture);
    WATERFALL_ES(BlendFunc);
    WATERFALL_ES(BufferData);
    WATERFALL_ES(BufferSubData);
    WATERFALL_ES(Clear);
    WATERFALL_ES(ClearColor);
    WATERFALL_ES(CompileShader);
    WATERFALL_ES(CreateProgram);
    WATERFALL_ES(CreateShader);
    WATERFALL_ES(CullFace);
    WATERFALL_ES(DeleteBuffers);
    WATERFALL_ES(Disable);
    WATERFALL_ES(DisableVertexAttribArray);
    WATERFALL_ES(DrawElements);
    WATERFALL_ES(Enable);
    WATERFALL_ES(EnableVertexAttribArray);
    WATERFALL_ES(Finish);
    WATERFALL_ES(FrontFace);
    WATERFALL_ES(GenBuffers);
    WATERFALL_ES(GenTextures);
    WATERFALL_ES(GetIntegerv);
    WATERFALL_ES(GetProgramiv);
    WATERFALL_ES(GetProgramInfoLog);
    WATERFALL_ES(GetShaderiv);
    WATERFALL_ES(GetShaderInfoLog);
    WATERFALL_ES(GetUniformLocation);
    WATERFALL_ES(LinkProgram);
    WATERFALL_ES(PixelStorei);
    WATERFALL_ES(ShaderSource);
    WATERFALL_ES(TexImage2D);
    WATERFALL_ES(TexParameteri);
    WATERFALL_ES(Uniform1f);
    WATERFALL_ES(Uniform1i);
    WATERFALL_ES(Uniform3fv);
    WATERFALL_ES(Uniform4fv);
    WATERFALL_ES(UseProgram);
    WATERFALL_ES(VertexAttrib4fv);
    WATERFALL_ES(VertexAttribPointer);
    WATERFALL_ES(Viewport);
#undef WATERFALL_ES
    es.VertexAttribDivisor = nullptr;
    es.DrawElementsInstanced = nullptr;
    if (esMajor >= 3) {
        loadOne(load, es.VertexAttribDivisor, "glVertexAttribDivisor");
        loadOne(load, es.DrawElementsInstanced, "glDrawElementsInstanced");
    } else if (angleInstancedArrays) {
        loadOne(load, es.VertexAttribDivisor, "glVertexAttribDivisorANGLE");
        loadOne(load, es.DrawElementsInstanced, "glDrawElementsInstancedANGLE");
    }
    if (!es.VertexAttribDivisor || !es.DrawElementsInstanced) {
        es.VertexAttribDivisor = nullptr;
        es.DrawElementsInstanced = nullptr;
    }
    return ok;
}

}  // namespace gl_layer
