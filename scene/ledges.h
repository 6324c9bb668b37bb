// The three ledges: flat textured discs capping the rocks at the water's height.
#pragma once

#include <vector>

#include "scene/point2.h"

// The outline as a bare triangle fan: glBegin, every point but the last, glEnd.
void sendOutlineFan(const std::vector<Point2>& outline);
// The outline as a textured triangle fan around its first point, in the local plane
// z = 0, with GL's current normal and texture coordinate; the last point is
// not sent.
void drawFilledOutline(const std::vector<Point2>& outline);
// The three discs, under the view alone (not turned), with the rock material.
void drawLedges();
