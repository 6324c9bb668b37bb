// Starting the layer on a new context (see gl_layer.h).
#include "web/gl/gl_layer.h"

#include <GL/gl.h>

#include "web/gl/display_lists.h"
#include "web/gl/draw.h"
#include "web/gl/es_api.h"
#include "web/gl/layer_state.h"
#include "web/gl/shaders.h"
#include "web/gl/textures.h"

namespace gl_layer {

bool start(ProcLoader load, int esMajor, bool angleInstancedArrays) {
    if (!load || !loadEs(load, esMajor, angleInstancedArrays)) return false;
    resetLayerState();
    forgetPrograms();
    forgetDrawBuffers();
    forgetTextures();
    forgetLists();
    // GL 1.x's start state where ES's differs: none today (depth test,
    // blending and culling off, GL_LESS, GL_CCW, GL_BACK in both).
    return true;
}

}  // namespace gl_layer
