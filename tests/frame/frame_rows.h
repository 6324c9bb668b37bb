// The scenes the GL layer's frames are held against Mesa's in: one table of
// rows, run the same way by the reference drawer (Mesa's fixed function)
// and by the layer's test, each row changing the scene left by the one
// before, one frame read a row.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/frame/scene_rows.h"

namespace framerows {

constexpr int FRAME_WIDTH = 400;   // pixels: the program's start window
constexpr int FRAME_HEIGHT = 400;  // pixels

using Frame = std::vector<unsigned char>;  // RGB, rows bottom-up
using ReadPixels = void (*)(int x, int y, int width, int height, unsigned format, unsigned type,
                            void* pixels);

// Set by the drawer: glutSwapBuffers calls it.
extern void (*onSwapBuffers)();

using Row = scenerows::Row;  // the start and the pour, then scenerows' views
const std::vector<Row>& rows();

// Runs the program's start-up in the working directory `dataDir` (with the
// context current) and sizes its projection as GLUT does before the first
// frame; false when `dataDir` cannot be entered.
bool startProgram(const std::string& dataDir);
// startProgram, then each row: its change, a frame pass, a read.
// `each(index, frame)` gets the frames.
void runRows(const std::string& dataDir, ReadPixels read,
             const std::function<void(size_t, const Frame&)>& each);

// The stored frame of row `index` in `dir`.
std::string framePath(const std::string& dir, size_t index);

}  // namespace framerows
