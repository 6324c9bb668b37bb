// The outline of a circle as a list of points, computed without GL.
#pragma once

#include <vector>

#include "scene/point2.h"

// Points counter-clockwise from (centre.x + radius, centre.y), the first not
// repeated at the end: 200 of them, from the float angle accumulation.
std::vector<Point2> circleOutline(float radius, Point2 centre);
// The same points into `circlePoints`, replacing what it held; once its storage
// is large enough, nothing is allocated.
void circleOutlineInto(float radius, Point2 centre, std::vector<Point2>& circlePoints);
