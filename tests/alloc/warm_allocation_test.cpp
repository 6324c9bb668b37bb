// Once the pour is warm, a step and a frame allocate nothing from the heap.
// GL is stood in by no-ops here, so every allocation counted is the
// program's own.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include "app/globals.h"
#include "particles/waterfall_system.h"
#include "scene/circle_outline.h"
#include "scene/display.h"
#include "tests/support/counting_new.h"

namespace {

constexpr int CAPACITY = 10000;       // particles, as in the program
constexpr int WARM_STEPS = 60;        // the live count has settled by then
constexpr int COUNTED_STEPS = 300;
constexpr float TIME_STEP = 1.0f;     // time units
constexpr float GRAVITY = -0.01f;     // scene units per time unit squared

class WarmAllocations : public ::testing::Test {
protected:
    void SetUp() override {
        windowWidth = START_WINDOW_WIDTH;
        windowHeight = START_WINDOW_HEIGHT;
        sceneQuadric = gluNewQuadric();
        waterfall = new WaterfallSystem(CAPACITY);
    }
    void TearDown() override {
        delete waterfall;
        waterfall = nullptr;
        gluDeleteQuadric(sceneQuadric);
        sceneQuadric = nullptr;
    }
    // What the animation tick and the redraw it asks for do.
    static void stepAndDraw() {
        waterfall->step(TIME_STEP, GRAVITY);
        display();
    }
};

TEST_F(WarmAllocations, TheCounterSeesTheProgramsAllocations) {
    allocations::startCounting();
    const std::vector<Point2> outline = circleOutline(0.6f, {0.0f, 1.3f});
    EXPECT_GT(allocations::stopCounting(), 0);  // the vector grows as it is filled
    EXPECT_GE(allocations::countedBytes(), outline.size() * sizeof(Point2));
}

TEST_F(WarmAllocations, StepsAllocateNothingFromTheFirstOn) {
    allocations::startCounting();
    for (int i = 0; i < WARM_STEPS + COUNTED_STEPS; ++i) waterfall->step(TIME_STEP, GRAVITY);
    EXPECT_EQ(allocations::stopCounting(), 0) << allocations::countedBytes() << " bytes";
}

TEST_F(WarmAllocations, WarmStepsAndFramesAllocateNothingEitherWay) {
    using Way = ParticleSystem::SphereSending;
    for (const Way way : {Way::CompiledList, Way::Immediate}) {
        SCOPED_TRACE(way == Way::Immediate ? "immediate" : "compiled list");
        waterfall->setSphereSending(way);
        for (int i = 0; i < WARM_STEPS; ++i) stepAndDraw();
        allocations::startCounting();
        for (int i = 0; i < COUNTED_STEPS; ++i) stepAndDraw();
        EXPECT_EQ(allocations::stopCounting(), 0) << allocations::countedBytes() << " bytes";
        EXPECT_GT(waterfall->live().size(), 8000u);
    }
}

}  // namespace
