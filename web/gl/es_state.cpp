// The ES state last sent (see es_state.h). Float values are compared byte
// for byte, so that -0 and 0 stay apart as ES would see them.
#include "web/gl/es_state.h"

#include <cstring>

namespace gl_layer {

namespace {

constexpr unsigned SLOTS = 8;  // ES 2.0's minimum of vertex attributes; the layer uses 6
constexpr GLenum UNKNOWN = 0;   // no enum is 0 but GL_ZERO/GL_NONE, never sent here

enum class Known { No, Off, On };

struct Slot {
    Known array = Known::No;  // the slot's array on or off
    bool pointerKnown = false;
    GLuint buffer = 0;
    GLint size = 0;
    GLsizei stride = 0;
    const void* offset = nullptr;
    // The current value, trusted only while the array stayed off since it
    // was sent (a draw from the array may leave it undefined).
    bool valueKnown = false;
    float value[4] = {};
    bool divisorKnown = false;
    GLuint divisor = 0;
};

struct EsState {
    Known depthTest = Known::No, blend = Known::No, cullFace = Known::No;
    GLenum blendSource = UNKNOWN, blendDestination = UNKNOWN;
    GLenum cullMode = UNKNOWN, frontMode = UNKNOWN;
    bool arrayKnown = false, elementKnown = false, textureKnown = false;
    GLuint arrayBuffer = 0, elementBuffer = 0, texture = 0;
    Slot slots[SLOTS];
};

EsState state;

Known* capabilitySlot(GLenum cap) {
    switch (cap) {
    case GL_DEPTH_TEST: return &state.depthTest;
    case GL_BLEND: return &state.blend;
    case GL_CULL_FACE: return &state.cullFace;
    default: return nullptr;
    }
}

}  // namespace

void setCapability(GLenum cap, bool on) {
    Known* known = capabilitySlot(cap);
    const Known want = on ? Known::On : Known::Off;
    if (known && *known == want) return;
    on ? es.Enable(cap) : es.Disable(cap);
    if (known) *known = want;
}

bool capabilityOn(GLenum cap) {
    const Known* known = capabilitySlot(cap);
    if (known && *known != Known::No) return *known == Known::On;
    GLint on = 0;
    es.GetIntegerv(cap, &on);  // ES answers its own capabilities this way too
    return on != 0;
}

void setBlendFunc(GLenum source, GLenum destination) {
    if (state.blendSource == source && state.blendDestination == destination) return;
    es.BlendFunc(source, destination);
    state.blendSource = source;
    state.blendDestination = destination;
}

void setCullFace(GLenum mode) {
    if (state.cullMode == mode) return;
    es.CullFace(mode);
    state.cullMode = mode;
}

void setFrontFace(GLenum mode) {
    if (state.frontMode == mode) return;
    es.FrontFace(mode);
    state.frontMode = mode;
}

void bindArrayBuffer(GLuint buffer) {
    if (state.arrayKnown && state.arrayBuffer == buffer) return;
    es.BindBuffer(GL_ARRAY_BUFFER, buffer);
    state.arrayKnown = true;
    state.arrayBuffer = buffer;
}

void bindElementBuffer(GLuint buffer) {
    if (state.elementKnown && state.elementBuffer == buffer) return;
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    state.elementKnown = true;
    state.elementBuffer = buffer;
}

void bindTexture2D(GLuint texture) {
    if (state.textureKnown && state.texture == texture) return;
    es.BindTexture(GL_TEXTURE_2D, texture);
    state.textureKnown = true;
    state.texture = texture;
}

void attribArray(unsigned slot, GLint size, GLsizei stride, const void* offset) {
    if (slot >= SLOTS) return;
    Slot& s = state.slots[slot];
    if (!state.arrayKnown || !s.pointerKnown || s.buffer != state.arrayBuffer || s.size != size ||
        s.stride != stride || s.offset != offset) {
        es.VertexAttribPointer(slot, size, GL_FLOAT, GL_FALSE, stride, offset);
        s.pointerKnown = state.arrayKnown;
        s.buffer = state.arrayBuffer;
        s.size = size;
        s.stride = stride;
        s.offset = offset;
    }
    if (s.array != Known::On) {
        es.EnableVertexAttribArray(slot);
        s.array = Known::On;
    }
    s.valueKnown = false;
}

void attribValue(unsigned slot, const float value[4]) {
    if (slot >= SLOTS) return;
    Slot& s = state.slots[slot];
    if (s.array != Known::Off) {
        es.DisableVertexAttribArray(slot);
        s.array = Known::Off;
        s.valueKnown = false;
    }
    if (!s.valueKnown || std::memcmp(s.value, value, sizeof(s.value)) != 0) {
        es.VertexAttrib4fv(slot, value);
        s.valueKnown = true;
        std::memcpy(s.value, value, sizeof(s.value));
    }
}

void attribDivisor(unsigned slot, GLuint divisor) {
    if (slot >= SLOTS) return;
    Slot& s = state.slots[slot];
    if (s.divisorKnown && s.divisor == divisor) return;
    es.VertexAttribDivisor(slot, divisor);
    s.divisorKnown = true;
    s.divisor = divisor;
}

void forgetBuffer(GLuint buffer) {
    if (state.arrayBuffer == buffer) state.arrayBuffer = 0;
    if (state.elementBuffer == buffer) state.elementBuffer = 0;
    for (Slot& s : state.slots) {
        if (s.buffer == buffer) s.pointerKnown = false;
    }
}

void forgetEsState() {
    state = EsState();
}

}  // namespace gl_layer
