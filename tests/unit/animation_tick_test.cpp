// The animation tick: idle taking itself out, one step and one redraw per
// call, and the pour's pacing through the GLUT loop.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/animation_tick.h"
#include "app/globals.h"
#include "app/keyboard.h"
#include "app/step_pacing.h"
#include "particles/random_source.h"
#include "particles/waterfall_system.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

using AnimationTickTest = StartStateTest;

TEST_F(AnimationTickTest, IdleTakesItselfOutWhileThePourIsStopped) {
    installWaterfall(10000);
    glState().idleFunc = idle;
    runGlutLoop(std::chrono::seconds(5), std::chrono::milliseconds(5));
    EXPECT_EQ(glCallTexts(), Calls{"glutIdleFunc(NULL)"});
    EXPECT_EQ(glState().idleCalls, 1);
    EXPECT_TRUE(waterfall->live().empty());
}

TEST_F(AnimationTickTest, IdleStepsTheWaterfallOnceAndRequestsOneRedrawPerCall) {
    installWaterfall(10000);
    animating = 1;
    idle();
    EXPECT_EQ(glCallTexts(), Calls{"glutPostRedisplay()"});
    ASSERT_EQ(waterfall->live().size(), 300u);
    Particle* first = waterfall->live()[0];
    const float velocityY = first->velocity.y;
    glState().clock += std::chrono::milliseconds(17);
    idle();
    EXPECT_EQ(glState().redisplayRequests, 2);
    EXPECT_EQ(waterfall->live().size(), 600u);
    // One update of time step 1 under gravity -0.01.
    EXPECT_EQ(first->age, 1.0f);
    EXPECT_EQ(first->acceleration.y, -0.01f);
    EXPECT_FLOAT_EQ(first->velocity.y, velocityY - 0.01f);
}

// Stamps every step with the fake clock; if asked, hashes every particle after it.
class WatchedWaterfall : public WaterfallSystem {
public:
    explicit WatchedWaterfall(bool hashSteps = false)
        : WaterfallSystem(10000), hashing(hashSteps) {}
    void emit() override {
        WaterfallSystem::emit();
        stepTimes.push_back(glState().clock);
        if (!hashing) return;
        for (const Particle* p : live()) {
            for (float value : {p->position.x, p->position.y, p->position.z, p->velocity.x,
                                p->velocity.y, p->velocity.z, p->life, p->age}) {
                hash = (hash ^ std::hash<float>()(value)) * 1099511628211u;
            }
        }
    }
    std::vector<std::chrono::steady_clock::time_point> stepTimes;
    bool hashing;
    size_t hash = 0;
};

// Pours for `duration` with frames of `frameTime`; the steps each frame shows.
std::vector<size_t> pour(WatchedWaterfall& system, std::chrono::milliseconds duration,
                         std::chrono::microseconds frameTime) {
    std::vector<size_t> shown;
    runGlutLoop(duration, frameTime, [&] { shown.push_back(system.stepTimes.size()); });
    return shown;
}

TEST_F(AnimationTickTest, ThePourTakesOneStepAFrameAndNeverMoreThanSixtyInASecond) {
    for (int frameUs : {0, 5000, 16000, 16700, 17000, 40000, 100000}) {
        SCOPED_TRACE(testing::Message() << "frames of " << frameUs << " us");
        restoreStartState();
        auto* system = new WatchedWaterfall;
        waterfall = system;
        keyboard('a', 0, 0);
        const std::vector<size_t> shown =
            pour(*system, std::chrono::milliseconds(1500), std::chrono::microseconds(frameUs));
        const std::vector<std::chrono::steady_clock::time_point>& steps = system->stepTimes;
        ASSERT_FALSE(shown.empty());
        for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], i + 1) << "frame " << i;
        for (size_t i = 60; i < steps.size(); ++i) {
            ASSERT_GT(steps[i] - steps[i - 60], std::chrono::seconds(1)) << "step " << i;
        }
        // Waiting is a timer, not a spin: at most one idle call waits per step.
        EXPECT_LE(glState().idleCalls, 2 * static_cast<int>(steps.size()) + 1);
        if (frameUs * MAX_STEPS_PER_SECOND > 1000000) {
            EXPECT_TRUE(glCallTexts("glutTimerFunc").empty());
        } else {
            EXPECT_GE(steps.size(), 80u) << "the pour runs slow";
        }
    }
}

TEST_F(AnimationTickTest, StoppingAndStartingThePourKeepsItsStepsAsTheyWere) {
    resetRandomSource();
    auto* system = new WatchedWaterfall(true);
    waterfall = system;
    std::vector<size_t> shown;
    // Milliseconds of pouring, then of standing still; a restart at once may
    // find the last wait's timer still pending.
    for (auto [pourMs, stillMs] : {std::pair{500, 300}, {20, 0}, {300, 600}, {1, 0}, {400, 100}}) {
        keyboard('a', 0, 0);
        const auto frames = std::chrono::milliseconds(3);
        for (size_t frame : pour(*system, std::chrono::milliseconds(pourMs), frames)) {
            shown.push_back(frame);
        }
        keyboard('a', 0, 0);
        const size_t steps = system->stepTimes.size();
        const int wakes = glState().idleCalls + static_cast<int>(glState().timers.size());
        for (size_t frame : pour(*system, std::chrono::milliseconds(stillMs), {})) {
            shown.push_back(frame);  // the last step's, asked for before the stop
        }
        EXPECT_EQ(system->stepTimes.size(), steps);
        EXPECT_LE(glState().idleCalls, wakes + 1) << "idle runs on while the pour stands still";
    }
    ASSERT_GT(system->stepTimes.size(), 60u);
    for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], i + 1) << "frame " << i;

    resetRandomSource();
    WatchedWaterfall stepped(true);
    for (size_t i = 0; i < system->stepTimes.size(); ++i) stepped.step(1.0f, -0.01f);
    EXPECT_EQ(system->hash, stepped.hash);
}

}  // namespace
