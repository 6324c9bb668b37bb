// Start-up's scene preparation: the rock quadric, texturing, the placeholder
// texture and the three pictures in their order; and where the frame pass
// draws the ground, the rocks and the ledges.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/startup.h"
#include "scene/display.h"
#include "tests/support/app_state.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/scratch_dir.h"

namespace {

using Calls = std::vector<std::string>;

class StartupSceneTest : public StartStateTest {
protected:
    ScratchWorkDir dir;
};

TEST_F(StartupSceneTest, PreparesTheQuadricThenTexturesInOrderAfterBlending) {
    addScenePictures(dir.path());
    testing::internal::CaptureStdout();
    runStartUp();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n");
    const Calls calls = glCallTexts();
    const auto blend = indexOf(calls, "glEnable(GL_BLEND)");
    // The drops' own quadric may come first; the rocks' is the one kept in sceneQuadric.
    const std::string q = quadricName(sceneQuadric);
    const auto quadric = indexOf(calls, "gluQuadricDrawStyle(" + q + ", GLU_FILL)") - 1;
    ASSERT_GE(blend, 0) << glCallDump();
    ASSERT_GT(quadric, blend);
    EXPECT_EQ(Calls(calls.begin() + quadric, calls.begin() + quadric + 6),
              (Calls{"gluNewQuadric()", "gluQuadricDrawStyle(" + q + ", GLU_FILL)",
                     "gluQuadricNormals(" + q + ", GLU_SMOOTH)",
                     "gluQuadricTexture(" + q + ", GL_TRUE)", "glEnable(GL_DEPTH_TEST)",
                     "glEnable(GL_TEXTURE_2D)"}));
    EXPECT_EQ(calls[static_cast<size_t>(quadric + 6)], "glBindTexture(GL_TEXTURE_2D, 0)");
    EXPECT_EQ(glCallTexts("glBindTexture"),
              (Calls{"glBindTexture(GL_TEXTURE_2D, 0)", "glBindTexture(GL_TEXTURE_2D, 1)",
                     "glBindTexture(GL_TEXTURE_2D, 2)", "glBindTexture(GL_TEXTURE_2D, 3)"}));
    EXPECT_EQ(glCallTexts("glTexImage2D").size(), 4u);
    EXPECT_EQ(glState().boundTexture, 3);
    EXPECT_EQ(glState().enabled.count(GL_TEXTURE_2D), 1u);
}

// Standard output goes to standard error inside the dying child, where the
// death test can see it.
void startUpWithOutputOnStderr() {
    dup2(2, 1);
    runStartUp();
}

using StartupSceneDeathTest = StartupSceneTest;

TEST_F(StartupSceneDeathTest, AMissingGroundEndsStartUpAfterTheSkyBeforeTheRock) {
    addScenePictures(dir.path());
    ASSERT_EQ(unlink("ground.bmp"), 0);
    EXPECT_EXIT(startUpWithOutputOnStderr(), ::testing::ExitedWithCode(1),
                "^trying to load sky.bmp\ntrying to load ground.bmp\n"
                "File Not Found : ground.bmp\n$");
}

// The modelview depth before each call of a frame, replayed from the log.
std::vector<int> depthsBefore(const Calls& calls) {
    std::vector<int> depths;
    int depth = 1;
    for (const std::string& call : calls) {
        depths.push_back(depth);
        if (call == "glPushMatrix()") ++depth;
        if (call == "glPopMatrix()") --depth;
    }
    return depths;
}

TEST_F(StartupSceneTest, FramePassDrawsGroundUnturnedRocksTurnedAndLedgesUnturned) {
    for (bool fog : {false, true}) {
        restoreStartState();
        installWaterfall(0);
        fogEnabled = fog;
        display();
        // What GL executes: the scenery's lists expanded.
        const Calls calls = executedCalls(glCallTexts());
        const std::vector<int> depths = depthsBefore(calls);
        // The ground: right after the scene level's push, before the turn.
        ASSERT_GT(calls.size(), 21u) << glCallDump();
        EXPECT_EQ(calls[6], "glPushMatrix()");
        EXPECT_EQ(calls[7], "glEnable(GL_TEXTURE_2D)");
        EXPECT_EQ(calls[8], "glBindTexture(GL_TEXTURE_2D, 2)");
        EXPECT_EQ(calls[9], "glBegin(GL_POLYGON)");
        const auto turn = indexOf(calls, "glRotatef(90, 0, 1, 0)");
        EXPECT_EQ(calls[static_cast<size_t>(turn - 1)], "glDisable(GL_TEXTURE_2D)");
        EXPECT_EQ(turn, 21);
        // The rocks: lit, fogged by the flag, inside the turned level.
        const auto lighting = indexOf(calls, "glEnable(GL_LIGHTING)");
        std::vector<std::ptrdiff_t> cylinders, fans;
        for (std::ptrdiff_t i = 0; i < static_cast<std::ptrdiff_t>(calls.size()); ++i) {
            const std::string& call = calls[static_cast<size_t>(i)];
            if (call.rfind("gluCylinder", 0) == 0) cylinders.push_back(i);
            if (call == "glBegin(GL_TRIANGLE_FAN)") fans.push_back(i);
        }
        ASSERT_EQ(cylinders.size(), 3u);
        ASSERT_EQ(fans.size(), 3u);
        const auto fogSwitch = indexOf(calls, fog ? "glEnable(GL_FOG)" : "glDisable(GL_FOG)", lighting);
        EXPECT_GT(cylinders.front(), fogSwitch);
        // Rock frames: view, scene level, rock bracket.
        for (std::ptrdiff_t c : cylinders) EXPECT_EQ(depths[static_cast<size_t>(c)], 4) << c;
        // The level ends right after the last rock, and the ledges follow it.
        const auto levelEnd = cylinders.back() + 3;  // after the rock's own pop and texturing off
        EXPECT_EQ(calls[static_cast<size_t>(levelEnd)], "glPopMatrix()");
        EXPECT_EQ(depths[static_cast<size_t>(levelEnd)], 3);
        EXPECT_EQ(calls[static_cast<size_t>(levelEnd + 1)], "glPushMatrix()");
        EXPECT_EQ(calls[static_cast<size_t>(levelEnd + 2)], "glTranslatef(-0.3, 1.3, 0)");
        // Ledge fans: view, ledge frame, outline bracket; never in the turned level.
        for (std::ptrdiff_t f : fans) EXPECT_EQ(depths[static_cast<size_t>(f)], 4) << f;
        EXPECT_GT(fans.front(), levelEnd);
        EXPECT_EQ(glState().modelviewDepth, 1);
    }
}

}  // namespace
