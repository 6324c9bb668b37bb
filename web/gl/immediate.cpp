// glBegin/glEnd blocks and the current vertex attributes: each block
// becomes triangles, drawn at glEnd or recorded into the list being
// compiled.
#include <GL/gl.h>

#include <vector>

#include "web/gl/display_lists.h"
#include "web/gl/draw.h"
#include "web/gl/gl_entry.h"
#include "web/gl/layer_state.h"
#include "web/gl/primitives.h"

namespace gl_layer {

namespace {

bool inBlock = false;
GLenum blockMode = 0;
std::vector<Vertex> blockVertices;
std::vector<Index> triangles;  // reused

void vertex(float x, float y, float z) {
    if (!inBlock) return;
    Vertex v{};
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    if (compilingList()) {
        const CompileAttributes& a = compileAttributes();
        for (int i = 0; i < 3; i++) v.normal[i] = a.normal[i];
        for (int i = 0; i < 2; i++) v.texCoord[i] = a.texCoord[i];
        for (int i = 0; i < 4; i++) v.color[i] = a.color[i];
    } else {
        for (int i = 0; i < 3; i++) v.normal[i] = layer.normal[i];
        for (int i = 0; i < 2; i++) v.texCoord[i] = layer.texCoord[i];
        for (int i = 0; i < 4; i++) v.color[i] = layer.color[i];
    }
    blockVertices.push_back(v);
}

void normal(float x, float y, float z) {
    if (!inBlock) enterCall();
    float* n = layer.normal;
    if (compilingList()) {
        compileAttributes().normalSet = true;
        n = compileAttributes().normal;
    }
    n[0] = x;
    n[1] = y;
    n[2] = z;
}

void texCoord(float s, float t) {
    if (!inBlock) enterCall();
    float* c = layer.texCoord;
    if (compilingList()) {
        compileAttributes().texCoordSet = true;
        c = compileAttributes().texCoord;
    }
    c[0] = s;
    c[1] = t;
}

void color(float r, float g, float b, float a) {
    if (!inBlock) enterCall();
    float* c = layer.color;
    if (compilingList()) {
        compileAttributes().colorSet = true;
        c = compileAttributes().color;
    }
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
}

}  // namespace

}  // namespace gl_layer

using namespace gl_layer;

extern "C" {

void glBegin(GLenum mode) {
    enterCall();
    inBlock = true;
    blockMode = mode;
    blockVertices.clear();
}

void glEnd() {
    if (!inBlock) return;
    inBlock = false;
    if (compilingList()) {
        recordBlock(blockMode, blockVertices);
        return;
    }
    triangles.clear();
    if (blockVertices.size() > MAX_INDEXED_VERTICES ||
        !appendTriangles(blockMode, blockVertices.size(), 0, triangles)) {
        return;
    }
    Mesh all;
    all.normals = all.texCoords = all.colors = true;
    drawImmediate(blockVertices, triangles, all);
}

void glVertex2f(GLfloat x, GLfloat y) { vertex(x, y, 0.0f); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { vertex(x, y, z); }
void glVertex3fv(const GLfloat* v) { vertex(v[0], v[1], v[2]); }
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { normal(x, y, z); }
void glNormal3fv(const GLfloat* v) { normal(v[0], v[1], v[2]); }
void glTexCoord2f(GLfloat s, GLfloat t) { texCoord(s, t); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { color(r, g, b, 1.0f); }
void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) { color(r, g, b, a); }

}  // extern "C"
