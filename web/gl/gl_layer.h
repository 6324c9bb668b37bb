// The page's own GL 1.x layer over OpenGL ES 2.0 / 3.0 (WebGL 1 / 2): the
// calls the program and GLU's quadrics make, by their published names, and
// these few for the side that owns the context (GLUT).
#pragma once

namespace gl_layer {

// Loads an ES entry point by name: eglGetProcAddress, natively and in the
// browser (where Emscripten's EGL answers it).
using ProcLoader = void* (*)(const char* name);

// Call once, with the new context current: loads ES 2.0 (and, where esMajor
// is 3, ES 3.0's instancing; where esMajor is 2 and the context has
// ANGLE_instanced_arrays enabled, that one) and sets GL 1.x's start state.
// False when something it needs is missing.
bool start(ProcLoader load, int esMajor, bool angleInstancedArrays);
// Draws what is held back (the drops' pending run). glutSwapBuffers calls it
// before the browser presents the frame; any other GL 1.x call draws it
// first by itself.
void flush();
// Drops as instances (true, the default) or one by one (false).
void setInstancedDrops(bool on);
// Drops drawn as instances since the last call (then zeroed).
long takeInstancedDropCount();

}  // namespace gl_layer
