// The mouse camera's arithmetic: window pixels to view units, and the orbit's
// angles and eye point. Single precision throughout, as the camera was tuned.
#pragma once

#include "app/globals.h"

// Pixels from the left to view units, for the current window size.
float windowToWorldX(int x);
// A bottom-up pixel row to view units, for the current window size.
float windowToWorldY(int y);

// The elevation after a vertical move of dy view units, held between the
// lower and upper limits.
float orbitElevation(float elevation, float dy);
// The azimuth after a horizontal move of dx view units in a window of this size.
float orbitAzimuth(float azimuth, float dx, int width, int height);
// The eye on the unit sphere around the origin for these angles.
Float3 orbitEye(float azimuth, float elevation);
