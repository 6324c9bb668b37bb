// Enables, lights, material, fog, faces, clearing and queries. Capabilities
// ES has (depth test, blending, culling) go straight to it; the
// fixed-function ones are kept for the shader choice.
#include <GL/gl.h>

#include <cstring>

#include "web/gl/es_api.h"
#include "web/gl/gl_entry.h"
#include "web/gl/layer_state.h"

namespace gl_layer {

namespace {

void setCapability(GLenum cap, bool on) {
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + MAX_LIGHTS) {
        layer.lights[cap - GL_LIGHT0].enabled = on;
        return;
    }
    switch (cap) {
    case GL_LIGHTING: layer.lighting = on; break;
    case GL_FOG: layer.fog.enabled = on; break;
    case GL_TEXTURE_2D: layer.texture2d = on; break;
    case GL_DEPTH_TEST:
    case GL_BLEND:
    case GL_CULL_FACE:
        on ? es.Enable(cap) : es.Disable(cap);
        break;
    default: break;  // not drawn by the layer
    }
}

bool capability(GLenum cap) {
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + MAX_LIGHTS) return layer.lights[cap - GL_LIGHT0].enabled;
    switch (cap) {
    case GL_LIGHTING: return layer.lighting;
    case GL_FOG: return layer.fog.enabled;
    case GL_TEXTURE_2D: return layer.texture2d;
    default: break;
    }
    GLint on = 0;
    es.GetIntegerv(cap, &on);  // ES answers its own capabilities this way too
    return on != 0;
}

void copy4(float* to, const GLfloat* from) {
    std::memcpy(to, from, 4 * sizeof(float));
}

}  // namespace

}  // namespace gl_layer

using namespace gl_layer;

extern "C" {

void glEnable(GLenum cap) {
    enterCall();
    setCapability(cap, true);
}

void glDisable(GLenum cap) {
    enterCall();
    setCapability(cap, false);
}

GLboolean glIsEnabled(GLenum cap) {
    enterCall();
    return capability(cap) ? GL_TRUE : GL_FALSE;
}

void glLightfv(GLenum light, GLenum name, const GLfloat* params) {
    enterCall();
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + MAX_LIGHTS) return;
    Light& l = layer.lights[light - GL_LIGHT0];
    switch (name) {
    case GL_AMBIENT: copy4(l.ambient, params); break;
    case GL_DIFFUSE: copy4(l.diffuse, params); break;
    case GL_SPECULAR: copy4(l.specular, params); break;
    case GL_POSITION: {
        // Into eye space through the modelview of the call, as GL keeps it.
        const float* m = modelview().m;
        float* q = l.eyePosition;
        const GLfloat* p = params;
        q[0] = m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12] * p[3];
        q[1] = m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13] * p[3];
        q[2] = m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14] * p[3];
        q[3] = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15] * p[3];
        break;
    }
    default: break;
    }
}

void glMaterialfv(GLenum face, GLenum name, const GLfloat* params) {
    enterCall();
    if (face == GL_BACK) return;  // lit one-sided: back materials never show
    Material& m = layer.front;
    switch (name) {
    case GL_AMBIENT: copy4(m.ambient, params); break;
    case GL_DIFFUSE: copy4(m.diffuse, params); break;
    case GL_SPECULAR: copy4(m.specular, params); break;
    case GL_EMISSION: copy4(m.emission, params); break;
    case GL_SHININESS: m.shininess = params[0]; break;
    case GL_AMBIENT_AND_DIFFUSE:
        copy4(m.ambient, params);
        copy4(m.diffuse, params);
        break;
    default: break;
    }
}

void glFogf(GLenum name, GLfloat value) {
    enterCall();
    switch (name) {
    case GL_FOG_DENSITY: layer.fog.density = value; break;
    case GL_FOG_START: layer.fog.start = value; break;
    case GL_FOG_END: layer.fog.end = value; break;
    case GL_FOG_MODE: layer.fog.linear = static_cast<GLenum>(value) == GL_LINEAR; break;
    default: break;
    }
}

void glFogi(GLenum name, GLint value) {
    glFogf(name, static_cast<GLfloat>(value));
}

void glFogfv(GLenum name, const GLfloat* params) {
    if (name == GL_FOG_COLOR) {
        enterCall();
        copy4(layer.fog.color, params);
        return;
    }
    glFogf(name, params[0]);
}

void glShadeModel(GLenum /*mode: GL_SMOOTH, the default and the only one used*/) {
    enterCall();
}

void glFrontFace(GLenum mode) {
    enterCall();
    es.FrontFace(mode);
}

void glCullFace(GLenum mode) {
    enterCall();
    es.CullFace(mode);
}

void glBlendFunc(GLenum source, GLenum destination) {
    enterCall();
    es.BlendFunc(source, destination);
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    enterCall();
    es.ClearColor(r, g, b, a);
}

void glClear(GLbitfield mask) {
    enterCall();
    es.Clear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

void glGetIntegerv(GLenum name, GLint* params) {
    enterCall();
    es.GetIntegerv(name, params);
}

void glFinish() {
    enterCall();
    es.Finish();
}

}  // extern "C"
