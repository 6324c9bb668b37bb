// Display lists: what the program compiles into them is glBegin/glEnd
// blocks and the attributes around them (GLU's shapes, the ledges' fans);
// any other call made while compiling runs at once. A list's blocks become
// indexed triangles in one pair of buffers, merged into as few meshes as
// their attributes allow (a drop's sphere is one).
#pragma once

#include <vector>

#include "web/gl/draw.h"

namespace gl_layer {

// The attributes a vertex takes while compiling: those the list set itself,
// and which of them it did (the others are GL's current ones at the call).
struct CompileAttributes {
    bool normalSet = false, texCoordSet = false, colorSet = false;
    float normal[3] = {0, 0, 1};
    float texCoord[2] = {0, 0};
    float color[4] = {1, 1, 1, 1};
};

bool compilingList();
CompileAttributes& compileAttributes();
// A finished block, into the list being compiled: its vertices as sent,
// and the triangles of `mode` over them.
void recordBlock(unsigned mode, const std::vector<Vertex>& vertices);
// The list's single mesh when it is one (the drops' sphere), else null.
const Mesh* singleMesh(unsigned list);
// The attributes a call of `list` leaves current.
void applyListAttributes(unsigned list);
void forgetLists();

}  // namespace gl_layer
