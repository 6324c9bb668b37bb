// The start-up sequence and the animation tick.
#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "app/step_pacing.h"
#include "app/swap_interval.h"
#include "particles/random_source.h"
#include "particles/waterfall_system.h"
#include "scene/display.h"
#include "tests/support/app_state.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        pictures.addScenePictures();  // start-up loads them from the working directory
        restoreStartState();
        windowWidth = 0;
        windowHeight = 0;
        interactionMode = 0;
        lastMouseX = 7;
        lastMouseY = 9;
    }
    ScratchWorkDir pictures;
};

TEST_F(StartupTest, OpensTheWindowAndRegistersTheCallbacksInOrder) {
    glState().glxExtensions = "GLX_EXT_swap_control";  // WGL's stand-in offers none
    runStartUp();
    const Calls calls = glCallTexts();
    ASSERT_GE(calls.size(), 8u) << glCallDump();
    const Calls head(calls.begin(), calls.begin() + 5);
    EXPECT_EQ(head, (Calls{"glutInit()", "glutInitWindowSize(400, 400)",
                           "glutInitDisplayMode(18)", "glutCreateWindow(\"Water Fall\")",
                           "glClearColor(0, 0.5, 1, 1)"}));
    EXPECT_EQ(glState().displayFunc, &display);
    EXPECT_EQ(glState().reshapeFunc, &reshape);
    EXPECT_EQ(glState().keyboardFunc, &keyboard);
    EXPECT_EQ(glState().idleFunc, &idle);
    Calls registrations;
    for (const GlCall& call : glCalls()) {
        if (call.name.size() > 8 && call.name.compare(call.name.size() - 4, 4, "Func") == 0) {
            registrations.push_back(call.name);
        }
    }
    Calls expected = {"glutDisplayFunc", "glutReshapeFunc", "glutMouseFunc",
                      "glutMotionFunc", "glutKeyboardFunc", "glutIdleFunc"};
    // Only what has been built so far registers; the order never changes.
    Calls present;
    for (const std::string& name : expected) {
        if (std::find(registrations.begin(), registrations.end(), name) != registrations.end()) {
            present.push_back(name);
        }
    }
    EXPECT_EQ(registrations, present);
    // Last, the swap interval request, just as it goes alone: on X11
    // glXQueryExtensionsString(0), glXGetProcAddressARB("glXSwapIntervalEXT"),
    // glXSwapIntervalEXT(7, 1); on Windows WGL's look-ups.
    clearGlCalls();
    requestSwapInterval();
    const Calls request = glCallTexts();
    ASSERT_FALSE(request.empty());
    ASSERT_GE(calls.size(), request.size());
    const Calls tail(calls.end() - static_cast<std::ptrdiff_t>(request.size()), calls.end());
    EXPECT_EQ(tail, request);
}

TEST_F(StartupTest, SetsTheStartStateAndTheFixedGlState) {
    runStartUp();
    EXPECT_EQ(windowWidth, 400);
    EXPECT_EQ(windowHeight, 400);
    EXPECT_EQ(lastMouseX, 0);
    EXPECT_EQ(lastMouseY, 0);
    EXPECT_EQ(interactionMode, MODE_ORBIT);
    EXPECT_EQ(glState().enabled.count(GL_DEPTH_TEST), 1u);
    EXPECT_EQ(glState().enabled.count(GL_BLEND), 1u);
    const Calls calls = glCallTexts();
    const auto depth = std::find(calls.begin(), calls.end(), "glEnable(GL_DEPTH_TEST)");
    ASSERT_NE(depth, calls.end());
    EXPECT_EQ(*(depth + 1), "glEnable(GL_BLEND)");
    EXPECT_TRUE(glCallTexts("glutMainLoop").empty()) << "main runs the loop, not start-up";
}

TEST_F(StartupTest, MakesTheWaterfallAfterTheFixedStateAndTheMenu) {
    runStartUp();
    ASSERT_NE(waterfall, nullptr);
    EXPECT_EQ(waterfall->particleCapacity(), 10000);
    EXPECT_EQ(waterfall->pool().size(), 10000u);
    EXPECT_TRUE(waterfall->live().empty());
    const Calls calls = glCallTexts();
    const auto made = std::find(calls.begin(), calls.end(), "gluNewQuadric()");
    ASSERT_NE(made, calls.end()) << glCallDump();
    // The first quadric made is the drops': the rocks' comes after it.
    const std::string q = quadricName(waterfall->quadric());
    EXPECT_EQ(*(made + 1), "gluQuadricDrawStyle(" + q + ", GLU_FILL)");
    const auto blend = std::find(calls.begin(), calls.end(), "glEnable(GL_BLEND)");
    EXPECT_LT(blend, made);
    // The light menu, where it exists, is built before.
    const auto madeAt = made - calls.begin();
    for (auto i = madeAt; i < static_cast<std::ptrdiff_t>(calls.size()); ++i) {
        EXPECT_EQ(glCalls()[static_cast<size_t>(i)].name.rfind("glutCreateMenu", 0), std::string::npos)
            << calls[static_cast<size_t>(i)];
        EXPECT_NE(glCalls()[static_cast<size_t>(i)].name, "glutAttachMenu");
    }
}

#ifdef _WIN32
// Silence, not Windows' default sound, looping, when medium.wav is missing.
TEST_F(StartupTest, AsksWindowsForTheSoundFileLoopingWithoutItsDefaultSound) {
    runStartUp();
    EXPECT_EQ(glCallTexts("PlaySoundA"),
              Calls{"PlaySoundA(\"medium.wav\", NULL, SND_ASYNC | SND_NODEFAULT | SND_LOOP)"});
}
#endif

TEST_F(StartupTest, IdleTakesItselfOutWhileThePourIsStopped) {
    installWaterfall(10000);
    glState().idleFunc = idle;
    runGlutLoop(std::chrono::seconds(5), std::chrono::milliseconds(5));
    EXPECT_EQ(glCallTexts(), Calls{"glutIdleFunc(NULL)"});
    EXPECT_EQ(glState().idleCalls, 1);
    EXPECT_TRUE(waterfall->live().empty());
}

TEST_F(StartupTest, IdleStepsTheWaterfallOnceAndRequestsOneRedrawPerCall) {
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

TEST(StepPacing, TheNextStepIsDueMoreThanASixtiethOfASecondAfterTheLast) {
    const MonotonicTime step = MonotonicTime(std::chrono::hours(2));
    noteStepTaken(step);
    // Nanoseconds after the step, and the whole milliseconds still to wait.
    for (auto [after, wait] : {std::pair{0LL, 17}, {1LL, 17}, {15999999LL, 1}, {16000001LL, 1},
                               {16666666LL, 1}, {16666667LL, 0}, {900000000LL, 0}}) {
        EXPECT_EQ(millisecondsUntilNextStep(step + std::chrono::nanoseconds(after)), wait) << after;
    }
    nextStepDue = MonotonicTime();
    EXPECT_EQ(millisecondsUntilNextStep(step), 0) << "the first step is due at once";
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

TEST_F(StartupTest, ThePourTakesOneStepAFrameAndNeverMoreThanSixtyInASecond) {
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

TEST_F(StartupTest, StoppingAndStartingThePourKeepsItsStepsAsTheyWere) {
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
