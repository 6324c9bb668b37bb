// The ES state the layer last sent, so that a call setting what is already
// set is not sent again: capabilities, blending and faces, the bound
// buffers and texture, and each attribute slot's source (array or current
// value) and divisor. Forgotten on a new context.
#pragma once

#include "web/gl/es_api.h"

namespace gl_layer {

void setCapability(GLenum cap, bool on);  // GL_DEPTH_TEST, GL_BLEND, GL_CULL_FACE
bool capabilityOn(GLenum cap);
void setBlendFunc(GLenum source, GLenum destination);
void setCullFace(GLenum mode);
void setFrontFace(GLenum mode);
void bindArrayBuffer(GLuint buffer);
void bindElementBuffer(GLuint buffer);
void bindTexture2D(GLuint texture);
// The slot reads `size` floats from the bound array buffer at `offset`.
void attribArray(unsigned slot, GLint size, GLsizei stride, const void* offset);
// The slot reads the constant `value` (its array off).
void attribValue(unsigned slot, const float value[4]);
void attribDivisor(unsigned slot, GLuint divisor);
// GL drops a deleted buffer from the bindings; a later buffer may get its name.
void forgetBuffer(GLuint buffer);
void forgetEsState();

}  // namespace gl_layer
