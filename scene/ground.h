// The textured ground: a long trapezoid in the plane y = 0.
#pragma once

// Drawn under the view alone, with lighting and fog off; its width follows the
// window's aspect ratio.
void drawGround();
