// Display lists (see display_lists.h).
#include "web/gl/display_lists.h"

#include <GL/gl.h>

#include <cstddef>
#include <map>

#include "web/gl/drops.h"
#include "web/gl/gl_entry.h"
#include "web/gl/layer_state.h"
#include "web/gl/primitives.h"

namespace gl_layer {

namespace {

struct List {
    std::vector<Mesh> meshes;
    unsigned buffer = 0;
    unsigned indexBuffer = 0;
    CompileAttributes after;  // what the list sets, left current by a call
};

std::map<unsigned, List> lists;
unsigned nextName = 1;
bool compiling = false;
unsigned compiled = 0;
CompileAttributes attributes;
std::vector<Vertex> listVertices;
std::vector<Index> listIndices;

void deleteBuffers(const List& list) {
    if (list.buffer) deleteBuffer(list.buffer);
    if (list.indexBuffer) deleteBuffer(list.indexBuffer);
}

bool sameSources(const Mesh& a, const Mesh& b) {
    return a.normals == b.normals && a.texCoords == b.texCoords && a.colors == b.colors;
}

}  // namespace

bool compilingList() { return compiling; }
CompileAttributes& compileAttributes() { return attributes; }

void recordBlock(unsigned mode, const std::vector<Vertex>& vertices) {
    if (vertices.empty()) return;
    Mesh mesh;
    mesh.normals = attributes.normalSet;
    mesh.texCoords = attributes.texCoordSet;
    mesh.colors = attributes.colorSet;
    std::vector<Mesh>& meshes = lists[compiled].meshes;
    // Blocks one after another with the same attribute sources draw as one,
    // while their indices fit.
    const bool joins = !meshes.empty() && sameSources(meshes.back(), mesh) &&
                       listVertices.size() - static_cast<std::size_t>(meshes.back().firstVertex) +
                               vertices.size() <= MAX_INDEXED_VERTICES;
    if (!joins) {
        if (vertices.size() > MAX_INDEXED_VERTICES) return;  // never sent by the program
        mesh.firstVertex = static_cast<int>(listVertices.size());
        mesh.firstIndex = static_cast<int>(listIndices.size());
        meshes.push_back(mesh);
    }
    Mesh& into = meshes.back();
    const std::size_t before = listIndices.size();
    const std::size_t base = listVertices.size() - static_cast<std::size_t>(into.firstVertex);
    if (!appendTriangles(mode, vertices.size(), base, listIndices)) return;
    listVertices.insert(listVertices.end(), vertices.begin(), vertices.end());
    into.indexCount += static_cast<int>(listIndices.size() - before);
}

const Mesh* singleMesh(unsigned list) {
    const auto found = lists.find(list);
    if (found == lists.end() || found->second.meshes.size() != 1) return nullptr;
    return &found->second.meshes.front();
}

void applyListAttributes(unsigned list) {
    const auto found = lists.find(list);
    if (found == lists.end()) return;
    const CompileAttributes& a = found->second.after;
    if (a.normalSet) for (int i = 0; i < 3; i++) layer.normal[i] = a.normal[i];
    if (a.texCoordSet) for (int i = 0; i < 2; i++) layer.texCoord[i] = a.texCoord[i];
    if (a.colorSet) for (int i = 0; i < 4; i++) layer.color[i] = a.color[i];
}

void forgetLists() {
    lists.clear();
    nextName = 1;
    compiling = false;
}

}  // namespace gl_layer

using namespace gl_layer;

extern "C" {

GLuint glGenLists(GLsizei range) {
    enterCall();
    if (range <= 0) return 0;
    const unsigned first = nextName;
    nextName += static_cast<unsigned>(range);
    return first;
}

void glNewList(GLuint list, GLenum /*mode: GL_COMPILE, the only one used*/) {
    enterCall();
    if (list == 0 || compiling) return;
    auto found = lists.find(list);
    if (found != lists.end()) deleteBuffers(found->second);
    lists[list] = List{};
    compiling = true;
    compiled = list;
    attributes = CompileAttributes{};
    listVertices.clear();
    listIndices.clear();
}

void glEndList() {
    enterCall();
    if (!compiling) return;
    compiling = false;
    List& done = lists[compiled];
    done.after = attributes;
    if (!listIndices.empty()) {
        done.buffer = newBuffer(listVertices);
        done.indexBuffer = newIndexBuffer(listIndices);
        for (Mesh& mesh : done.meshes) {
            mesh.buffer = done.buffer;
            mesh.indexBuffer = done.indexBuffer;
        }
    }
    listVertices.clear();
    listIndices.clear();
}

void glCallList(GLuint list) {
    if (deferDrop(list)) {
        applyListAttributes(list);
        return;
    }
    enterCall();
    const auto found = lists.find(list);
    if (found == lists.end()) return;
    // A list's meshes each take the attributes current when they are drawn;
    // only its last attributes are left current, as nothing else is between.
    for (const Mesh& mesh : found->second.meshes) drawMesh(mesh);
    applyListAttributes(list);
}

void glDeleteLists(GLuint list, GLsizei range) {
    enterCall();
    for (GLsizei i = 0; i < range; i++) {
        const auto found = lists.find(list + static_cast<GLuint>(i));
        if (found == lists.end()) continue;
        deleteBuffers(found->second);
        lists.erase(found);
    }
}

}  // extern "C"
