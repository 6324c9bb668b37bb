// What every GL 1.x entry point of the layer does first.
#pragma once

namespace gl_layer {

// Draws the drops' pending run, if any, and forgets a half-seen
// push-translate-call-pop pattern: any call but those four ends a run.
void enterCall();

}  // namespace gl_layer
