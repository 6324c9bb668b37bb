// The layer's GL 1.x state and its start values (see layer_state.h).
#include "web/gl/layer_state.h"

namespace gl_layer {

LayerState layer;

Matrix& top(int mode) {
    return layer.stacks[mode].back();
}

void resetLayerState() {
    layer = LayerState();
    for (auto& stack : layer.stacks) {
        stack.assign(1, Matrix{});
        setIdentity(stack.back());
        stack.back().flags = 0;
    }
    Light& first = layer.lights[0];
    for (int i = 0; i < 4; i++) {
        first.diffuse[i] = 1;
        first.specular[i] = 1;
    }
}

}  // namespace gl_layer
