// Drawing triangles with the current GL 1.x state: immediate blocks streamed
// through one buffer, display-list meshes from their own, and the drops'
// runs as instances of one mesh.
#pragma once

#include <vector>

#include "web/gl/draw_uniforms.h"
#include "web/gl/layer_state.h"

namespace gl_layer {

// A run of triangles in a buffer. An attribute the block never gave is
// taken from the current one when the mesh is drawn, as GL does.
struct Mesh {
    unsigned buffer = 0;
    int first = 0;  // vertices
    int count = 0;  // vertices
    bool normals = false;
    bool texCoords = false;
    bool colors = false;
};

// Per instance: the MVP's fourth column and the modelview's m[14] (eye z's
// translation), both as Mesa computes them for the translated modelview.
constexpr int INSTANCE_FLOATS = 5;

void drawImmediate(const std::vector<Vertex>& triangles, const Mesh& attributes);
void drawMesh(const Mesh& mesh);
// With the uniforms of the run's first drop; `instances` holds
// INSTANCE_FLOATS each.
void drawMeshInstances(const Mesh& mesh, const DrawUniforms& u, const std::vector<float>& instances);
bool instancingAvailable();

unsigned newBuffer(const std::vector<Vertex>& vertices);
void deleteBuffer(unsigned buffer);
void forgetDrawBuffers();

}  // namespace gl_layer
