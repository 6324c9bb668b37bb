// The program's own pictures: sky, ground and stone, made from noise.
#pragma once

#include "assets/picture.h"

namespace assets {

constexpr int PICTURE_SIDE = 256;  // pixels; a multiple of 4, so rows need no padding

Picture makeSky();
// Grass with patches of earth and pebbles. Its features are squeezed along y
// because the ground stretches the picture about five times more in depth
// than across.
Picture makeGround();
// Grey-brown stone with grain and cracks, for the rocks and the ledges.
Picture makeStone();

}  // namespace assets
