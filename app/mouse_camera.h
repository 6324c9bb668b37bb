// The mouse callbacks that orbit the camera or, in zoom mode, slide it along z.
#pragma once

#include "scene/point2.h"

// GLUT's mouse-button callback: a left press starts a drag.
void mouse(int button, int state, int x, int y);
// GLUT's motion callback, called while a button is held.
void motion(int x, int y);
// Moves the eye on the unit sphere by the drag from `previous` to `current`,
// both in view units.
void orbitCamera(Point2 current, Point2 previous);
