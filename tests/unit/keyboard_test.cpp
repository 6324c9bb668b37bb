// The keyboard commands: each key's effects on the globals and on GL, in both cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/globals.h"
#include "app/animation_tick.h"
#include "app/keyboard.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/help_text.h"

namespace {

using Calls = std::vector<std::string>;

using KeyboardTest = StartStateTest;

const Calls FOG_ON_CALLS = {
    "glEnable(GL_FOG)",
    "glFogi(GL_FOG_MODE, GL_LINEAR)",
    "glFogf(GL_FOG_DENSITY, 0)",
    "glFogf(GL_FOG_START, 0.7)",
    "glFogf(GL_FOG_END, 0)",
    "glFogfv(GL_FOG_COLOR, [0.9, 0.9, 0.9, 0])",
    "glutPostRedisplay()",
};

TEST_F(KeyboardTest, AnimateKeyTogglesWithoutRedrawAndStartingPutsTheTickBack) {
    for (unsigned char key : {'a', 'A'}) {
        restoreStartState();
        keyboard(key, 10, 20);
        EXPECT_EQ(animating, 1) << key;
        EXPECT_EQ(glState().idleFunc, &idle);
        keyboard(key, 0, 0);
        EXPECT_EQ(animating, 0) << key;
        EXPECT_EQ(glCallTexts(), Calls{"glutIdleFunc(fn)"}) << key;
    }
}

TEST_F(KeyboardTest, ZoomKeySelectsZoomModeAndRedraws) {
    for (unsigned char key : {'c', 'C'}) {
        restoreStartState();
        keyboard(key, 0, 0);
        EXPECT_EQ(interactionMode, MODE_ZOOM) << key;
        EXPECT_EQ(glCallTexts(), Calls{"glutPostRedisplay()"}) << key;
    }
}

TEST_F(KeyboardTest, FogKeySwitchesFogOnWithItsParametersThenOff) {
    for (unsigned char key : {'f', 'F'}) {
        restoreStartState();
        keyboard(key, 0, 0);
        EXPECT_TRUE(fogEnabled);
        EXPECT_EQ(glCallTexts(), FOG_ON_CALLS) << key;
        EXPECT_FLOAT_EQ(static_cast<float>(glCalls()[3].numbers[1]), 0.7f);

        resetGlRecorder();
        keyboard(key, 0, 0);
        EXPECT_FALSE(fogEnabled);
        EXPECT_EQ(glCallTexts(), (Calls{"glDisable(GL_FOG)", "glutPostRedisplay()"})) << key;
    }
}

TEST_F(KeyboardTest, FogParametersAreSetAgainEachTimeFogComesOn) {
    keyboard('f', 0, 0);
    keyboard('F', 0, 0);
    resetGlRecorder();
    keyboard('f', 0, 0);
    EXPECT_EQ(glCallTexts(), FOG_ON_CALLS);
}

TEST_F(KeyboardTest, HelpKeyPrintsTheHelpTextAndChangesNothing) {
    for (unsigned char key : {'h', 'H', 'h'}) {
        testing::internal::CaptureStdout();
        keyboard(key, 0, 0);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), HELP_TEXT) << key;
    }
    EXPECT_TRUE(glCalls().empty()) << glCallDump();
    EXPECT_EQ(animating, 0);
    EXPECT_FALSE(fogEnabled);
    EXPECT_EQ(interactionMode, MODE_ORBIT);
}

TEST_F(KeyboardTest, ResetKeyRestoresTheEyeAndOrbitModeButNotTheAngles) {
    for (unsigned char key : {'r', 'R'}) {
        restoreStartState();
        cameraEye = {0.3f, -0.2f, 1.7f};
        cameraAzimuth = 91.5f;
        cameraElevation = -0.4f;
        interactionMode = MODE_ZOOM;
        keyboard(key, 0, 0);
        EXPECT_EQ(cameraEye.x, 0.081023f);
        EXPECT_EQ(cameraEye.y, 0.063008f);
        EXPECT_EQ(cameraEye.z, 0.85435f);
        EXPECT_EQ(cameraAzimuth, 91.5f);
        EXPECT_EQ(cameraElevation, -0.4f);
        EXPECT_EQ(interactionMode, MODE_ORBIT);
        EXPECT_EQ(glCallTexts(), (Calls{"glMatrixMode(GL_MODELVIEW)", "glLoadIdentity()",
                                        "glutPostRedisplay()"}))
            << key;
    }
}

TEST_F(KeyboardTest, KeysOutsideTheTableDoNothingAtAll) {
    for (int key = 0; key < 256; ++key) {
        if (std::string("AaCcFfHhQqRr").find(static_cast<char>(key)) != std::string::npos) {
            continue;
        }
        testing::internal::CaptureStdout();
        keyboard(static_cast<unsigned char>(key), 5, 5);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << key;
    }
    EXPECT_TRUE(glCalls().empty()) << glCallDump();
    EXPECT_EQ(animating, 0);
    EXPECT_FALSE(fogEnabled);
    EXPECT_EQ(interactionMode, MODE_ORBIT);
    EXPECT_EQ(cameraEye.z, CAMERA_START_EYE.z);
}

using KeyboardDeathTest = KeyboardTest;

TEST_F(KeyboardDeathTest, QuitKeysEndTheProcessWithStatusZero) {
    EXPECT_EXIT(keyboard('q', 0, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(keyboard('Q', 0, 0), ::testing::ExitedWithCode(0), "");
}

}  // namespace
