// Display lists (see display_lists.h).
#include "web/gl/display_lists.h"

#include <GL/gl.h>

#include <map>

#include "web/gl/drops.h"
#include "web/gl/gl_entry.h"
#include "web/gl/layer_state.h"

namespace gl_layer {

namespace {

struct List {
    std::vector<Mesh> meshes;
    unsigned buffer = 0;
    CompileAttributes after;  // what the list sets, left current by a call
};

std::map<unsigned, List> lists;
unsigned nextName = 1;
bool compiling = false;
unsigned compiled = 0;
CompileAttributes attributes;
std::vector<Vertex> listVertices;

bool sameSources(const Mesh& a, const Mesh& b) {
    return a.normals == b.normals && a.texCoords == b.texCoords && a.colors == b.colors;
}

}  // namespace

bool compilingList() { return compiling; }
CompileAttributes& compileAttributes() { return attributes; }

void recordBlock(const std::vector<Vertex>& triangles) {
    if (triangles.empty()) return;
    Mesh mesh;
    mesh.first = static_cast<int>(listVertices.size());
    mesh.count = static_cast<int>(triangles.size());
    mesh.normals = attributes.normalSet;
    mesh.texCoords = attributes.texCoordSet;
    mesh.colors = attributes.colorSet;
    listVertices.insert(listVertices.end(), triangles.begin(), triangles.end());
    std::vector<Mesh>& meshes = lists[compiled].meshes;
    // Blocks one after another with the same attribute sources draw as one.
    if (!meshes.empty() && sameSources(meshes.back(), mesh)) {
        meshes.back().count += mesh.count;
    } else {
        meshes.push_back(mesh);
    }
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
    if (found != lists.end() && found->second.buffer) deleteBuffer(found->second.buffer);
    lists[list] = List{};
    compiling = true;
    compiled = list;
    attributes = CompileAttributes{};
    listVertices.clear();
}

void glEndList() {
    enterCall();
    if (!compiling) return;
    compiling = false;
    List& done = lists[compiled];
    done.after = attributes;
    if (!listVertices.empty()) {
        done.buffer = newBuffer(listVertices);
        for (Mesh& mesh : done.meshes) mesh.buffer = done.buffer;
    }
    listVertices.clear();
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
        if (found->second.buffer) deleteBuffer(found->second.buffer);
        lists.erase(found);
    }
}

}  // extern "C"
