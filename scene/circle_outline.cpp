// The outline of a circle as a list of points, computed without GL.
#include "scene/circle_outline.h"

#include "scene/float_trig.h"

namespace {

// The angle runs in single precision while its test and its step are done in
// double; the rounding makes the last angle about 6.2486 and leaves 200 points.
constexpr double FULL_TURN = 6.28;    // radians
constexpr double ANGLE_STEP = 0.0314; // radians

}  // namespace

std::vector<Point2> circleOutline(float radius, Point2 centre) {
    std::vector<Point2> circlePoints;
    circleOutlineInto(radius, centre, circlePoints);
    return circlePoints;
}

void circleOutlineInto(float radius, Point2 centre, std::vector<Point2>& circlePoints) {
    circlePoints.clear();
    float angle = 0.0f;
    while (static_cast<double>(angle) < FULL_TURN) {
        circlePoints.push_back({centre.x + radius * floatCos(angle),
                                centre.y + radius * floatSin(angle)});
        angle = static_cast<float>(static_cast<double>(angle) + ANGLE_STEP);
    }
}
