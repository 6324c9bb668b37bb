// Drawing triangles with the current GL 1.x state: immediate blocks streamed
// through one buffer, display-list meshes from their own, and the drops'
// runs as instances of one mesh.
#pragma once

#include <vector>

#include "web/gl/draw_uniforms.h"
#include "web/gl/layer_state.h"
#include "web/gl/primitives.h"

namespace gl_layer {

// Indexed triangles in a vertex and an index buffer (each vertex shaded
// once, as in Mesa's strips). An attribute the block never gave is taken
// from the current one when the mesh is drawn, as GL does.
struct Mesh {
    unsigned buffer = 0;       // vertices
    unsigned indexBuffer = 0;  // Index
    int firstVertex = 0;       // where index 0 points
    int firstIndex = 0;
    int indexCount = 0;
    bool normals = false;
    bool texCoords = false;
    bool colors = false;
};

// Per instance: the MVP's fourth column and the modelview's m[14] (eye z's
// translation), both as Mesa computes them for the translated modelview.
constexpr int INSTANCE_FLOATS = 5;

void drawImmediate(const std::vector<Vertex>& vertices, const std::vector<Index>& triangles,
                   const Mesh& attributes);
void drawMesh(const Mesh& mesh);
// With the uniforms of the run's first drop; `instances` holds
// INSTANCE_FLOATS each.
void drawMeshInstances(const Mesh& mesh, const DrawUniforms& u, const std::vector<float>& instances);
bool instancingAvailable();

unsigned newBuffer(const std::vector<Vertex>& vertices);
unsigned newIndexBuffer(const std::vector<Index>& indices);
void deleteBuffer(unsigned buffer);
void forgetDrawBuffers();

}  // namespace gl_layer
