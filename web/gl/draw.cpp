// Draws with the generated programs (see draw.h).
#include "web/gl/draw.h"

#include <cstddef>

#include "web/gl/draw_uniforms.h"
#include "web/gl/es_api.h"
#include "web/gl/shaders.h"
#include "web/gl/textures.h"

namespace gl_layer {

namespace {

constexpr GLsizei STRIDE = sizeof(Vertex);
constexpr GLsizei INSTANCE_STRIDE = INSTANCE_FLOATS * sizeof(float);

GLuint streamBuffer = 0;    // immediate blocks' vertices
GLuint streamIndices = 0;   // and their triangles
GLuint instanceBuffer = 0;  // the drops' per-instance floats

const void* offsetOf(std::size_t bytes) {
    return reinterpret_cast<const void*>(bytes);
}

// One array attribute from the bound buffer, or the current value.
void attribute(unsigned slot, bool fromArray, GLint size, std::size_t offset, const float* value,
               int base) {
    if (fromArray) {
        es.EnableVertexAttribArray(slot);
        es.VertexAttribPointer(slot, size, GL_FLOAT, GL_FALSE, STRIDE,
                               offsetOf(static_cast<std::size_t>(base) * STRIDE + offset));
    } else {
        float v[4] = {0, 0, 0, 1};
        for (int i = 0; i < size; i++) v[i] = value[i];
        es.DisableVertexAttribArray(slot);
        es.VertexAttrib4fv(slot, v);
    }
}

void bindVertices(GLuint buffer, const Mesh& mesh) {
    es.BindBuffer(GL_ARRAY_BUFFER, buffer);
    attribute(ATTRIB_POSITION, true, 3, offsetof(Vertex, position), nullptr, mesh.firstVertex);
    attribute(ATTRIB_NORMAL, mesh.normals, 3, offsetof(Vertex, normal), layer.normal, mesh.firstVertex);
    attribute(ATTRIB_TEXCOORD, mesh.texCoords, 2, offsetof(Vertex, texCoord), layer.texCoord,
              mesh.firstVertex);
    attribute(ATTRIB_COLOR, mesh.colors, 4, offsetof(Vertex, color), layer.color, mesh.firstVertex);
}

bool useUniforms(const DrawUniforms& u) {
    if (!useProgram(u)) return false;
    if (u.key.textured) es.BindTexture(GL_TEXTURE_2D, esTexture(layer.boundTexture));
    return true;
}

// The program and its uniforms for the state as it stands; false if none.
bool prepare(DrawUniforms& u) {
    computeDrawUniforms(u);
    return useUniforms(u);
}

void perDrawTranslation(const DrawUniforms& u) {
    es.DisableVertexAttribArray(ATTRIB_MVP_COLUMN3);
    es.VertexAttrib4fv(ATTRIB_MVP_COLUMN3, u.mvpColumns[3]);
    const float w[4] = {u.eyeRow[3], 0, 0, 1};
    es.DisableVertexAttribArray(ATTRIB_EYE_ROW_W);
    es.VertexAttrib4fv(ATTRIB_EYE_ROW_W, w);
}

}  // namespace

void drawImmediate(const std::vector<Vertex>& vertices, const std::vector<Index>& triangles,
                   const Mesh& attributes) {
    if (triangles.empty()) return;
    DrawUniforms u{};
    if (!prepare(u)) return;
    if (!streamBuffer) es.GenBuffers(1, &streamBuffer);
    if (!streamIndices) es.GenBuffers(1, &streamIndices);
    es.BindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    es.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
                  vertices.data(), GL_STREAM_DRAW);
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, streamIndices);
    es.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(triangles.size() * sizeof(Index)),
                  triangles.data(), GL_STREAM_DRAW);
    Mesh mesh = attributes;
    mesh.firstVertex = 0;
    bindVertices(streamBuffer, mesh);
    perDrawTranslation(u);
    es.DrawElements(GL_TRIANGLES, static_cast<GLsizei>(triangles.size()), GL_UNSIGNED_SHORT,
                    offsetOf(0));
}

void drawMesh(const Mesh& mesh) {
    if (mesh.indexCount == 0) return;
    DrawUniforms u{};
    if (!prepare(u)) return;
    bindVertices(mesh.buffer, mesh);
    perDrawTranslation(u);
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    es.DrawElements(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_SHORT,
                    offsetOf(static_cast<std::size_t>(mesh.firstIndex) * sizeof(Index)));
}

void drawMeshInstances(const Mesh& mesh, const DrawUniforms& u, const std::vector<float>& instances) {
    const auto count = static_cast<GLsizei>(instances.size() / INSTANCE_FLOATS);
    if (mesh.indexCount == 0 || count == 0 || !useUniforms(u)) return;
    bindVertices(mesh.buffer, mesh);
    if (!instanceBuffer) es.GenBuffers(1, &instanceBuffer);
    es.BindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    es.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances.size() * sizeof(float)),
                  instances.data(), GL_STREAM_DRAW);
    es.EnableVertexAttribArray(ATTRIB_MVP_COLUMN3);
    es.VertexAttribPointer(ATTRIB_MVP_COLUMN3, 4, GL_FLOAT, GL_FALSE, INSTANCE_STRIDE, offsetOf(0));
    es.VertexAttribDivisor(ATTRIB_MVP_COLUMN3, 1);
    es.EnableVertexAttribArray(ATTRIB_EYE_ROW_W);
    es.VertexAttribPointer(ATTRIB_EYE_ROW_W, 1, GL_FLOAT, GL_FALSE, INSTANCE_STRIDE,
                           offsetOf(4 * sizeof(float)));
    es.VertexAttribDivisor(ATTRIB_EYE_ROW_W, 1);
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.indexBuffer);
    es.DrawElementsInstanced(GL_TRIANGLES, mesh.indexCount, GL_UNSIGNED_SHORT,
                             offsetOf(static_cast<std::size_t>(mesh.firstIndex) * sizeof(Index)),
                             count);
    es.VertexAttribDivisor(ATTRIB_MVP_COLUMN3, 0);
    es.VertexAttribDivisor(ATTRIB_EYE_ROW_W, 0);
}

bool instancingAvailable() {
    return es.DrawElementsInstanced != nullptr;
}

unsigned newBuffer(const std::vector<Vertex>& vertices) {
    GLuint buffer = 0;
    es.GenBuffers(1, &buffer);
    es.BindBuffer(GL_ARRAY_BUFFER, buffer);
    es.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
                  vertices.data(), GL_STATIC_DRAW);
    return buffer;
}

unsigned newIndexBuffer(const std::vector<Index>& indices) {
    GLuint buffer = 0;
    es.GenBuffers(1, &buffer);
    es.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    es.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(Index)),
                  indices.data(), GL_STATIC_DRAW);
    return buffer;
}

void deleteBuffer(unsigned buffer) {
    const GLuint name = buffer;
    es.DeleteBuffers(1, &name);
}

void forgetDrawBuffers() {
    streamBuffer = 0;
    streamIndices = 0;
    instanceBuffer = 0;
}

}  // namespace gl_layer
