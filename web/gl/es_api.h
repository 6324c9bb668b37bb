// The OpenGL ES 2.0 entry points the layer draws with, loaded by name at
// start (so the layer's own glEnable and the rest do not clash with ES's),
// and the instancing calls of ES 3.0 or ANGLE_instanced_arrays.
#pragma once

#define GL_GLES_PROTOTYPES 0
#include <GLES2/gl2.h>

#include "web/gl/gl_layer.h"

namespace gl_layer {

struct EsApi {
    void (*ActiveTexture)(GLenum);
    void (*AttachShader)(GLuint, GLuint);
    void (*BindAttribLocation)(GLuint, GLuint, const GLchar*);
    void (*BindBuffer)(GLenum, GLuint);
    void (*BindTexture)(GLenum, GLuint);
    void (*BlendFunc)(GLenum, GLenum);
    void (*BufferData)(GLenum, GLsizeiptr, const void*, GLenum);
    void (*BufferSubData)(GLenum, GLintptr, GLsizeiptr, const void*);
    void (*Clear)(GLbitfield);
    void (*ClearColor)(GLfloat, GLfloat, GLfloat, GLfloat);
    void (*CompileShader)(GLuint);
    GLuint (*CreateProgram)();
    GLuint (*CreateShader)(GLenum);
    void (*CullFace)(GLenum);
    void (*DeleteBuffers)(GLsizei, const GLuint*);
    void (*Disable)(GLenum);
    void (*DisableVertexAttribArray)(GLuint);
    void (*DrawElements)(GLenum, GLsizei, GLenum, const void*);
    void (*Enable)(GLenum);
    void (*EnableVertexAttribArray)(GLuint);
    void (*Finish)();
    void (*FrontFace)(GLenum);
    void (*GenBuffers)(GLsizei, GLuint*);
    void (*GenTextures)(GLsizei, GLuint*);
    void (*GetIntegerv)(GLenum, GLint*);
    void (*GetProgramiv)(GLuint, GLenum, GLint*);
    void (*GetProgramInfoLog)(GLuint, GLsizei, GLsizei*, GLchar*);
    void (*GetShaderiv)(GLuint, GLenum, GLint*);
    void (*GetShaderInfoLog)(GLuint, GLsizei, GLsizei*, GLchar*);
    GLint (*GetUniformLocation)(GLuint, const GLchar*);
    void (*LinkProgram)(GLuint);
    void (*PixelStorei)(GLenum, GLint);
    void (*ShaderSource)(GLuint, GLsizei, const GLchar* const*, const GLint*);
    void (*TexImage2D)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum,
                       const void*);
    void (*TexParameteri)(GLenum, GLenum, GLint);
    void (*Uniform1f)(GLint, GLfloat);
    void (*Uniform1i)(GLint, GLint);
    void (*Uniform3fv)(GLint, GLsizei, const GLfloat*);
    void (*Uniform4fv)(GLint, GLsizei, const GLfloat*);
    void (*UseProgram)(GLuint);
    void (*VertexAttrib4fv)(GLuint, const GLfloat*);
    void (*VertexAttribPointer)(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*);
    void (*Viewport)(GLint, GLint, GLsizei, GLsizei);
    // ES 3.0's or ANGLE_instanced_arrays' (the ...ANGLE names); null without either.
    void (*VertexAttribDivisor)(GLuint, GLuint);
    void (*DrawElementsInstanced)(GLenum, GLsizei, GLenum, const void*, GLsizei);
};

extern EsApi es;

// Loads `es`; false when an ES 2.0 entry point is missing. Instancing stays
// null where the context has neither ES 3.0 nor the extension.
bool loadEs(ProcLoader load, int esMajor, bool angleInstancedArrays);

}  // namespace gl_layer
