// The start-up sequence and the animation tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/keyboard.h"
#include "app/startup.h"
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
    void runStartUp() {
        char name[] = "waterfall";
        char* argv[] = {name, nullptr};
        int argc = 1;
        startUp(&argc, argv);
    }
    ScratchWorkDir pictures;
};

TEST_F(StartupTest, OpensTheWindowAndRegistersTheCallbacksInOrder) {
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

TEST_F(StartupTest, IdleDoesNothingWhileTheAnimationIsOff) {
    animating = 0;
    for (int i = 0; i < 5; ++i) idle();
    EXPECT_TRUE(glCalls().empty()) << glCallDump();
}

TEST_F(StartupTest, IdleRequestsOneRedrawPerCallWhileAnimating) {
    animating = 1;
    idle();
    EXPECT_EQ(glCallTexts(), Calls{"glutPostRedisplay()"});
    idle();
    EXPECT_EQ(glState().redisplayRequests, 2);
}

}  // namespace
