// Matrix modes, stacks and transforms, and the viewport. The push,
// translate and pop of a drop keep the drops' run going (see drops.h).
#include <GL/gl.h>

#include <cstddef>

#include "web/gl/drops.h"
#include "web/gl/es_api.h"
#include "web/gl/gl_entry.h"
#include "web/gl/layer_state.h"
#include "web/gl/matrix_math.h"

namespace gl_layer {

namespace {

constexpr std::size_t MAX_STACK_DEPTH = 32;  // GL's minimum for the modelview stack

Matrix& current() {
    return top(layer.matrixMode);
}

}  // namespace

}  // namespace gl_layer

using namespace gl_layer;

extern "C" {

void glMatrixMode(GLenum mode) {
    enterCall();
    if (mode == GL_MODELVIEW) layer.matrixMode = MODELVIEW;
    if (mode == GL_PROJECTION) layer.matrixMode = PROJECTION;
}

void glLoadIdentity() {
    enterCall();
    setIdentity(current());
}

void glPushMatrix() {
    notePush();
    auto& stack = layer.stacks[layer.matrixMode];
    if (stack.size() < MAX_STACK_DEPTH) stack.push_back(stack.back());
}

void glPopMatrix() {
    notePop();
    auto& stack = layer.stacks[layer.matrixMode];
    if (stack.size() > 1) stack.pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    noteTranslate();
    translate(current(), x, y, z);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z) {
    enterCall();
    translate(current(), static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    enterCall();
    if (angle != 0.0F) rotate(current(), angle, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    enterCall();
    scale(current(), x, y, z);
}

void glMultMatrixf(const GLfloat* m) {
    enterCall();
    if (m) multiplyFloats(current(), m);
}

void glMultMatrixd(const GLdouble* m) {
    enterCall();
    if (!m) return;
    float f[16];
    for (int i = 0; i < 16; i++) f[i] = static_cast<float>(m[i]);
    multiplyFloats(current(), f);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal,
             GLdouble farVal) {
    enterCall();
    if (left == right || bottom == top || nearVal == farVal) return;
    ortho(current(), static_cast<float>(left), static_cast<float>(right),
          static_cast<float>(bottom), static_cast<float>(top), static_cast<float>(nearVal),
          static_cast<float>(farVal));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    enterCall();
    es.Viewport(x, y, width, height);
}

}  // extern "C"
