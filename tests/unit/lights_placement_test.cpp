// Where start-up and the frame pass call the lights, the materials, the menu
// and the mouse callbacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/light_menu.h"
#include "app/mouse_camera.h"
#include "app/startup.h"
#include "app/swap_interval.h"
#include "scene/display.h"
#include "scene/lights.h"
#include "tests/support/app_state.h"
#include "tests/support/bmp_files.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

const Calls ROCK_MATERIAL = {"glMaterialfv(GL_FRONT, GL_AMBIENT, [1, 1, 1, 0])",
                             "glMaterialfv(GL_FRONT, GL_DIFFUSE, [1, 1, 1, 0])",
                             "glMaterialfv(GL_FRONT, GL_SPECULAR, [1, 1, 1, 0])",
                             "glMaterialfv(GL_FRONT, GL_SHININESS, [100])"};
const Calls WATER_MATERIAL = {"glMaterialfv(GL_FRONT, GL_AMBIENT, [1, 0.728, 0.772, 1])",
                              "glMaterialfv(GL_FRONT, GL_DIFFUSE, [0, 0.6, 1, 0])",
                              "glMaterialfv(GL_FRONT, GL_SPECULAR, [0, 0.6, 1, 0])",
                              "glMaterialfv(GL_FRONT, GL_SHININESS, [100])"};

class LightsPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { restoreStartState(); }
};

// True when `part` stands in `calls` starting at `at`.
bool standsAt(const Calls& calls, std::ptrdiff_t at, const Calls& part) {
    return at >= 0 && static_cast<size_t>(at) + part.size() <= calls.size() &&
           std::equal(part.begin(), part.end(), calls.begin() + at);
}

// What `record` calls into the stand-in, recorded on its own.
Calls callsOf(void (*record)()) {
    resetGlRecorder();
    record();
    return glCallTexts();
}

TEST_F(LightsPlacementTest, StartUpRegistersTheMouseBuildsTheMenuAndEndsWithTheLights) {
    const Calls lights = callsOf(initLights);
    const Calls swapRequest = callsOf([] { requestSwapInterval(); });
    restoreStartState();
    ScratchWorkDir pictures;
    pictures.addScenePictures();  // start-up loads them from the working directory
    runStartUp();
    const Calls calls = glCallTexts();

    EXPECT_EQ(glState().mouseFunc, &mouse);
    EXPECT_EQ(glState().motionFunc, &motion);
    const auto reshapeAt = indexOf(calls, "glutReshapeFunc(fn)");
    EXPECT_EQ(calls[reshapeAt + 1], "glutMouseFunc(fn)");
    EXPECT_EQ(calls[reshapeAt + 2], "glutMotionFunc(fn)");
    EXPECT_EQ(calls[reshapeAt + 3], "glutKeyboardFunc(fn)");

    // The menu is built right after blending is switched on.
    const auto blend = indexOf(calls, "glEnable(GL_BLEND)");
    ASSERT_GE(blend, 0) << glCallDump();
    EXPECT_EQ(calls[blend + 1], "glutCreateMenu(fn)");
    ASSERT_EQ(glState().attachedMenus.count(GLUT_RIGHT_BUTTON), 1u);
    EXPECT_EQ(glState().menus.size(), 1u);

    // The lights come last, after the window and everything else exists;
    // only the swap interval request follows them.
    const size_t lightsEnd = calls.size() - swapRequest.size();
    ASSERT_GE(lightsEnd, lights.size());
    EXPECT_TRUE(standsAt(calls, static_cast<std::ptrdiff_t>(lightsEnd - lights.size()), lights))
        << glCallDump();
    EXPECT_EQ(glState().enabled.count(GL_LIGHT0), 1u);
    for (GLenum off : {GL_LIGHT1, GL_LIGHT2, GL_LIGHT3, GL_LIGHTING}) {
        EXPECT_EQ(glState().enabled.count(off), 0u) << off;
    }
}

TEST_F(LightsPlacementTest, FramePassPositionsTheLightsAndAppliesBothMaterialsInPlace) {
    const Calls positions = callsOf(positionLights);
    for (bool fog : {false, true}) {
        restoreStartState();
        installWaterfall(0);
        fogEnabled = fog;
        display();
        const Calls calls = glCallTexts();
        const std::string where = fog ? "with fog" : "without fog";

        // The positions go out under the view and the quarter turn, before
        // lighting comes on.
        const auto turn = indexOf(calls, "glRotatef(90, 0, 1, 0)");
        ASSERT_GE(turn, 0) << glCallDump();
        EXPECT_TRUE(standsAt(calls, turn + 1, positions)) << where << "\n" << glCallDump();
        const auto lighting = indexOf(calls, "glEnable(GL_LIGHTING)");
        EXPECT_EQ(lighting, turn + 1 + static_cast<std::ptrdiff_t>(positions.size())) << where;

        // Rock material right after the fog switch, in the turned level.
        EXPECT_EQ(calls[lighting + 1], fog ? "glEnable(GL_FOG)" : "glDisable(GL_FOG)");
        EXPECT_TRUE(standsAt(calls, lighting + 2, ROCK_MATERIAL)) << where << "\n" << glCallDump();

        // Water material after the turned level has ended and before lighting
        // goes off: find the pop that matches the push before the turn.
        int depth = 0;
        std::ptrdiff_t turnedEnd = -1;
        const auto end = static_cast<std::ptrdiff_t>(calls.size());
        for (std::ptrdiff_t i = turn; i < end && turnedEnd < 0; ++i) {
            if (calls[i] == "glPushMatrix()") ++depth;
            if (calls[i] == "glPopMatrix()" && depth-- == 0) turnedEnd = i;
        }
        ASSERT_GT(turnedEnd, lighting) << glCallDump();
        const auto water = indexOf(calls, WATER_MATERIAL[0], turnedEnd);
        EXPECT_TRUE(standsAt(calls, water, WATER_MATERIAL)) << where << "\n" << glCallDump();
        EXPECT_LT(water, indexOf(calls, "glDisable(GL_LIGHTING)")) << where;
        EXPECT_EQ(glCallTexts("glMaterialfv").size(), 8u) << where;
    }
}

}  // namespace
