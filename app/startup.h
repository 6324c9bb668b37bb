// Start-up: the window, the callbacks and the fixed GL state.
#pragma once

#include "app/animation_tick.h"

// Everything main does before it hands control to glutMainLoop.
void startUp(int* argc, char** argv);
