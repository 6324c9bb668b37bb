// Start-up: the window, the callbacks and the fixed GL state.
#pragma once

#include "app/animation_tick.h"

// Everything main does before it hands control to glutMainLoop, the swap
// interval request last (it needs the window's GL context).
void startUp(int* argc, char** argv);
