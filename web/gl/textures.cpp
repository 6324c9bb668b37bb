// 2D textures (see textures.h): GL 1.x's internal formats 1 to 4 and GL_CLAMP,
// which ES refuses, given as ES has them. GL_CLAMP with GL_NEAREST samples
// what GL_CLAMP_TO_EDGE does.
#include "web/gl/textures.h"

#include <GL/gl.h>

#include <map>

#include "web/gl/es_api.h"
#include "web/gl/gl_entry.h"
#include "web/gl/layer_state.h"

namespace gl_layer {

namespace {

std::map<unsigned, GLuint> names;

GLenum esFormat(GLint internalFormat, GLenum format) {
    switch (internalFormat) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    case 4: return GL_RGBA;
    default: return format;  // ES wants the internal format to be the format
    }
}

GLint esParameter(GLint value) {
    return value == GL_CLAMP ? GL_CLAMP_TO_EDGE : value;
}

}  // namespace

unsigned esTexture(unsigned name) {
    auto found = names.find(name);
    if (found != names.end()) return found->second;
    GLuint texture = 0;
    es.GenTextures(1, &texture);
    names[name] = texture;
    return texture;
}

void forgetTextures() {
    names.clear();
}

}  // namespace gl_layer

using namespace gl_layer;

extern "C" {

void glBindTexture(GLenum target, GLuint texture) {
    enterCall();
    layer.boundTexture = texture;
    es.BindTexture(target, esTexture(texture));
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                  GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    enterCall();
    es.BindTexture(target, esTexture(layer.boundTexture));
    es.TexImage2D(target, level, static_cast<GLint>(esFormat(internalFormat, format)), width,
                  height, border, format, type, pixels);
}

void glTexParameteri(GLenum target, GLenum name, GLint value) {
    enterCall();
    es.BindTexture(target, esTexture(layer.boundTexture));
    es.TexParameteri(target, name, esParameter(value));
}

void glPixelStorei(GLenum name, GLint value) {
    enterCall();
    es.PixelStorei(name, value);
}

}  // extern "C"
