// The program's texture names (fixed numbers, 0 included, never generated)
// mapped onto ES texture objects made on first use.
#pragma once

namespace gl_layer {

unsigned esTexture(unsigned name);
void forgetTextures();

}  // namespace gl_layer
