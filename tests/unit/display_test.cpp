// The frame pass's order of GL calls, and the projection for several window sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/globals.h"
#include "particles/waterfall_system.h"
#include "scene/display.h"
#include "scene/scenery_lists.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

class DisplayTest : public StartStateTest {
protected:
    void SetUp() override {
        StartStateTest::SetUp();
        installWaterfall(0);  // the frame pass draws it
    }
};

TEST_F(DisplayTest, FramePassFramesTheSceneBetweenClearAndSwap) {
    display();
    const Calls calls = glCallTexts();
    ASSERT_GE(calls.size(), 10u) << glCallDump();
    EXPECT_EQ(calls[0], "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)");
    EXPECT_EQ(calls[1], "glMatrixMode(GL_MODELVIEW)");
    EXPECT_EQ(calls[2], "glLoadIdentity()");
    EXPECT_EQ(calls[3], "glPushMatrix()");
    EXPECT_EQ(calls[4], "gluLookAt(0.081023, 0.063008, 0.85435, 0, 0, 0, 0, 1, 0)");
    EXPECT_EQ(calls[5], "glDisable(GL_FOG)");
    EXPECT_EQ(calls[6], "glPushMatrix()");
    EXPECT_EQ(calls.back(), "glutSwapBuffers()");
    EXPECT_EQ(calls[calls.size() - 2], "glPopMatrix()");
    EXPECT_EQ(calls[calls.size() - 3], "glDisable(GL_LIGHTING)");
}

TEST_F(DisplayTest, EyeAndTargetComeFromTheCameraGlobals) {
    cameraEye = {0.25f, -0.5f, 2.0f};
    display();
    EXPECT_EQ(glCallTexts("gluLookAt"), Calls{"gluLookAt(0.25, -0.5, 2, 0, 0, 0, 0, 1, 0)"});
}

TEST_F(DisplayTest, FogFollowsTheFlagOnlyAfterTheGroundAndLightingAreSet) {
    for (bool fog : {false, true}) {
        restoreStartState();
        installWaterfall(0);
        fogEnabled = fog;
        display();
        const Calls calls = glCallTexts();
        const auto turn = indexOf(calls, "glRotatef(90, 0, 1, 0)");
        const auto lighting = indexOf(calls, "glEnable(GL_LIGHTING)");
        ASSERT_GT(turn, 6) << glCallDump();
        ASSERT_GT(lighting, turn);
        EXPECT_EQ(calls[lighting + 1], fog ? "glEnable(GL_FOG)" : "glDisable(GL_FOG)");
        // Before the turn, whatever is drawn sees fog and lighting off.
        EXPECT_EQ(indexOf(calls, "glEnable(GL_FOG)"), fog ? lighting + 1 : -1);
        EXPECT_EQ(glState().enabled.count(GL_FOG), fog ? 1u : 0u);
        EXPECT_EQ(glState().enabled.count(GL_LIGHTING), 0u);
    }
}

TEST_F(DisplayTest, FramesLeaveTheModelviewStackAndModeAsTheyFoundThem) {
    for (int frame = 0; frame < 3; ++frame) display();
    EXPECT_EQ(glState().modelviewDepth, 1);
    EXPECT_EQ(glState().projectionDepth, 1);
    EXPECT_EQ(glState().matrixMode, static_cast<GLenum>(GL_MODELVIEW));
}

TEST_F(DisplayTest, WaterIsDrawnLitAfterTheTurnedLevelIsPopped) {
    WaterfallSystem& system = installWaterfall(1000);
    system.step(1.0f, -0.01f);
    display();
    const Calls calls = glCallTexts();
    const std::string sphere = "gluSphere(" + quadricName(system.quadric()) + ", 0.02, 12, 12)";
    const auto lightingOff = indexOf(calls, "glDisable(GL_LIGHTING)");
    const auto water = indexOf(calls, "glMaterialfv(GL_FRONT, GL_AMBIENT, [1, 0.728, 0.772, 1])");
    ASSERT_GT(water, 0) << glCallDump();
    // The first frame compiles the sphere, in model-view mode and with back
    // faces culled, before the first drop; the scenery's six lists came
    // before it. Nothing else in the frame is culled, and culling is off
    // again after the last drop.
    const Calls firstDrop = {"glMatrixMode(GL_MODELVIEW)", "glFrontFace(GL_CCW)",
                             "glCullFace(GL_BACK)", "glEnable(GL_CULL_FACE)", "glGenLists(1)",
                             "glNewList(7, GL_COMPILE)", sphere, "glEndList()",
                             "glPushMatrix()", "glTranslatef", "glCallList(7)", "glPopMatrix()"};
    ASSERT_GT(calls.size(), static_cast<size_t>(water + 4) + firstDrop.size());
    Calls drawn(calls.begin() + water + 4, calls.begin() + water + 4 + 12);
    EXPECT_EQ(drawn[9].rfind("glTranslatef(-0.4, 1.25", 0), 0u) << drawn[9];
    drawn[9] = "glTranslatef";
    EXPECT_EQ(drawn, firstDrop);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "glCallList(7)"), 299);
    EXPECT_EQ(calls[lightingOff - 1], "glDisable(GL_CULL_FACE)");
    EXPECT_EQ(calls[lightingOff - 2], "glPopMatrix()");  // the last drop's
    EXPECT_EQ(calls[lightingOff - 3], "glCallList(7)");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "glEnable(GL_CULL_FACE)"), 1);
    EXPECT_EQ(glState().enabled.count(GL_CULL_FACE), 0u);
    // The drops stand under the view alone: the turned level, pushed before
    // the turn, has been popped before the water.
    const auto turn = indexOf(calls, "glRotatef(90, 0, 1, 0)");
    long depth = 0;
    for (std::ptrdiff_t i = turn; i < water; ++i) {
        if (calls[i] == "glPushMatrix()") ++depth;
        if (calls[i] == "glPopMatrix()") --depth;
    }
    EXPECT_EQ(depth, -1);
}

TEST_F(DisplayTest, SceneryListsAreCompiledOnTheFirstFrameAndExecuteTheDirectCalls) {
    setScenerySending(ScenerySending::Immediate);
    display();
    const Calls direct = glCallTexts();
    ASSERT_EQ(glCallTexts("gluCylinder").size(), 3u) << glCallDump();
    setScenerySending(ScenerySending::CompiledLists);
    const Calls listCalls = {"glCallList(1)", "glCallList(2)", "glCallList(3)",
                             "glCallList(4)", "glCallList(5)", "glCallList(6)"};
    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        clearGlCalls();
        display();
        EXPECT_EQ(executedCalls(glCallTexts()), direct);
        EXPECT_EQ(glCallTexts("glNewList").size(), frame == 0 ? 6u : 0u);
        EXPECT_EQ(glCallTexts("glCallList"), listCalls);
    }
    // A steady frame without drops: the scenery's calls, well under 500.
    EXPECT_TRUE(glCallTexts("gluCylinder").empty());
    EXPECT_TRUE(glCallTexts("glVertex2f").empty());
    EXPECT_LT(glCalls().size(), 200u);
}

struct ReshapeCase {
    int width, height;
    const char* ortho;
    const char* viewport;
};

TEST_F(DisplayTest, ReshapeSetsTheOrthographicViewAndTheEnlargedViewport) {
    const ReshapeCase cases[] = {
        {400, 400, "glOrtho(-2, 2, -2, 2, -2, 2)", "glViewport(0, 0, 412, 412)"},
        {800, 400, "glOrtho(-4, 4, -2, 2, -2, 2)", "glViewport(0, 0, 812, 412)"},
        {300, 600, "glOrtho(-1, 1, -2, 2, -2, 2)", "glViewport(0, 0, 312, 612)"},
        {401, 3, "glOrtho(-267.333, 267.333, -2, 2, -2, 2)", "glViewport(0, 0, 413, 15)"},
        // A minimised window: the ratio and the viewport count a height of 1.
        {400, 0, "glOrtho(-800, 800, -2, 2, -2, 2)", "glViewport(0, 0, 412, 13)"},
        {0, 0, "glOrtho(-0, 0, -2, 2, -2, 2)", "glViewport(0, 0, 12, 13)"},
    };
    for (const ReshapeCase& c : cases) {
        resetGlRecorder();
        reshape(c.width, c.height);
        EXPECT_EQ(glCallTexts(), (Calls{"glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                                        c.ortho, "glMatrixMode(GL_MODELVIEW)", c.viewport}))
            << c.width << "x" << c.height;
        EXPECT_EQ(windowWidth, c.width);
        EXPECT_EQ(windowHeight, c.height);
    }
}

TEST_F(DisplayTest, ReshapeRatioIsAFloatingPointDivision) {
    reshape(500, 400);
    const std::vector<double>& ortho = glCalls()[2].numbers;
    EXPECT_DOUBLE_EQ(ortho[0], -2.5);
    EXPECT_DOUBLE_EQ(ortho[1], 2.5);
}

}  // namespace
