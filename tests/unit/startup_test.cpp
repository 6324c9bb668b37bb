// The start-up sequence.
#include <gtest/gtest.h>

#include <algorithm>
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
#include "tests/support/scratch_dir.h"

namespace {

using Calls = std::vector<std::string>;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        addScenePictures(pictures.path());  // start-up loads them from the working directory
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

}  // namespace
