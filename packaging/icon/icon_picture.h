// The program's icon, drawn procedurally at any size: water drops arcing
// from a stepped rock cliff onto green ground under a blue sky, on a
// rounded square with transparent corners.
#pragma once

#include "packaging/icon/png_writer.h"

// size * size RGBA pixels, rows top-down, straight (not premultiplied) alpha.
Bytes drawIcon(int size);
