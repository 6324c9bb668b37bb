// The outline of a circle: its points, and the same points into reused storage.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/circle_outline.h"

namespace {

TEST(CircleOutline, HasTwoHundredPointsCounterClockwiseFromAngleZero) {
    const std::vector<Point2> points = circleOutline(0.6f, {0.0f, 1.3f});
    ASSERT_EQ(points.size(), 200u);
    EXPECT_FLOAT_EQ(points[0].x, 0.6f);
    EXPECT_FLOAT_EQ(points[0].y, 1.3f);
    // The angle runs in floats with a double step; each cosine and sine goes
    // through double and back, where the float functions are a step off at times.
    float angle = 0.0f;
    for (size_t i = 0; i < points.size(); ++i) {
        const double a = angle;
        EXPECT_EQ(points[i].x, 0.6f * static_cast<float>(std::cos(a))) << i;
        EXPECT_EQ(points[i].y, 1.3f + 0.6f * static_cast<float>(std::sin(a))) << i;
        angle = static_cast<float>(a + 0.0314);
    }
    // Counter-clockwise: a quarter of the way round the points lie above the centre.
    EXPECT_GT(points[50].y, 1.85f);
    EXPECT_NEAR(points[100].x, -0.6f, 1e-3f);
}

TEST(CircleOutline, FollowsItsCentreAndRadius) {
    const std::vector<Point2> points = circleOutline(2.0f, {-0.3f, 5.0f});
    ASSERT_EQ(points.size(), 200u);
    EXPECT_FLOAT_EQ(points[0].x, 1.7f);
    EXPECT_FLOAT_EQ(points[0].y, 5.0f);
}

TEST(CircleOutline, IntoReusedStorageGivesTheSamePointsWithoutGrowing) {
    std::vector<Point2> reused(300, Point2{9.0f, 9.0f});  // stale points to be replaced
    const Point2* storage = reused.data();
    const size_t capacity = reused.capacity();
    const struct {
        float radius;
        Point2 centre;
    } outlines[] = {{0.6f, {-0.3f, 1.3f}}, {0.6f, {0.3f, 1.3f}}, {2.0f, {-0.3f, 5.0f}}};
    for (const auto& outline : outlines) {
        circleOutlineInto(outline.radius, outline.centre, reused);
        const std::vector<Point2> fresh = circleOutline(outline.radius, outline.centre);
        ASSERT_EQ(reused.size(), fresh.size());
        for (size_t i = 0; i < fresh.size(); ++i) {
            ASSERT_EQ(reused[i].x, fresh[i].x) << i;
            ASSERT_EQ(reused[i].y, fresh[i].y) << i;
        }
    }
    EXPECT_EQ(reused.data(), storage);
    EXPECT_EQ(reused.capacity(), capacity);
}

}  // namespace
