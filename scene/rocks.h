// The three rocks: open textured cylinders standing side by side.
#pragma once

// Drawn in the frame turned a quarter about y, with the rock material in force.
void drawRocks();
