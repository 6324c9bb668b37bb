// The mouse callbacks: when a drag counts, what orbit and zoom do to the eye,
// and what they ask of GL.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/mouse_camera.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

constexpr float LOWEST_ELEVATION = -1.5184364f;
constexpr float HIGHEST_ELEVATION = 1.5533431f;

class MouseCameraTest : public StartStateTest {
protected:
    static void leftPress(int x, int y) { mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y); }
    static float eyeRadius() {
        return std::sqrt(cameraEye.x * cameraEye.x + cameraEye.y * cameraEye.y +
                         cameraEye.z * cameraEye.z);
    }
};

void expectEye(float x, float y, float z, const std::string& when) {
    EXPECT_FLOAT_EQ(cameraEye.x, x) << when;
    EXPECT_FLOAT_EQ(cameraEye.y, y) << when;
    EXPECT_FLOAT_EQ(cameraEye.z, z) << when;
}

TEST_F(MouseCameraTest, MotionBeforeTheFirstLeftPressChangesNothing) {
    for (int mode : {MODE_ORBIT, MODE_ZOOM}) {
        restoreStartState();
        interactionMode = mode;
        motion(120, 30);
        motion(390, 390);
        EXPECT_TRUE(glCalls().empty()) << glCallDump();
        EXPECT_EQ(lastMouseX, 0);
        EXPECT_EQ(lastMouseY, 0);
        expectEye(CAMERA_START_EYE.x, CAMERA_START_EYE.y, CAMERA_START_EYE.z, "mode " + std::to_string(mode));
        EXPECT_EQ(cameraAzimuth, 90.0f);
        EXPECT_EQ(cameraElevation, 0.0f);
    }
}

TEST_F(MouseCameraTest, OnlyALeftPressStartsADragAndRecordsABottomUpRow) {
    struct Press {
        int button, state;
    };
    for (const Press p : {Press{GLUT_RIGHT_BUTTON, GLUT_DOWN}, Press{GLUT_MIDDLE_BUTTON, GLUT_DOWN},
                          Press{GLUT_LEFT_BUTTON, GLUT_UP}}) {
        mouse(p.button, p.state, 50, 60);
        EXPECT_EQ(mouseDragging, 0) << p.button << "/" << p.state;
        EXPECT_EQ(lastMouseX, 0);
        EXPECT_EQ(lastMouseY, 0);
    }
    leftPress(0, 0);  // the top-left pixel
    EXPECT_EQ(mouseDragging, 1);
    EXPECT_EQ(lastMouseX, 0);
    EXPECT_EQ(lastMouseY, 399);
    // Releasing changes nothing, dragging stays on.
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 300, 300);
    EXPECT_EQ(mouseDragging, 1);
    EXPECT_EQ(lastMouseX, 0);
    EXPECT_TRUE(glCalls().empty()) << glCallDump();
}

TEST_F(MouseCameraTest, ZoomDragOf200PixelsToTheRightAddsOneToEyeZ) {
    interactionMode = MODE_ZOOM;
    leftPress(100, 200);
    motion(300, 200);
    expectEye(CAMERA_START_EYE.x, CAMERA_START_EYE.y, CAMERA_START_EYE.z + 1.0f, "after zoom");
    EXPECT_EQ(cameraAzimuth, 90.0f);
    EXPECT_EQ(cameraElevation, 0.0f);
    // The projection is set again for the same size, then a redraw asked for.
    EXPECT_EQ(glCallTexts(), (Calls{"glMatrixMode(GL_PROJECTION)", "glLoadIdentity()",
                                    "glOrtho(-2, 2, -2, 2, -2, 2)", "glMatrixMode(GL_MODELVIEW)",
                                    "glViewport(0, 0, 412, 412)", "glutPostRedisplay()"}));
    EXPECT_EQ(lastMouseX, 300);
    EXPECT_EQ(lastMouseY, 199);
}

TEST_F(MouseCameraTest, VerticalZoomDragMovesNothingButStillRedrawsAndRecords) {
    interactionMode = MODE_ZOOM;
    leftPress(100, 200);
    motion(100, 20);
    expectEye(CAMERA_START_EYE.x, CAMERA_START_EYE.y, CAMERA_START_EYE.z, "vertical zoom");
    EXPECT_EQ(glCallTexts("glOrtho").size(), 1u);
    EXPECT_EQ(glState().redisplayRequests, 1);
    EXPECT_EQ(lastMouseY, 379);
}

TEST_F(MouseCameraTest, ElevationStopsAtItsLimitsAndTurnsBackAtOnce) {
    struct Case {
        int fromRow, toRow;  // GLUT rows, top-down
        float limit;
    };
    // Dragging up lowers the eye: up runs into the lower limit.
    for (const Case c : {Case{399, 0, LOWEST_ELEVATION}, Case{0, 399, HIGHEST_ELEVATION}}) {
        restoreStartState();
        // Each pass across the window is 85 degrees; three go far past the limit.
        for (int pass = 0; pass < 3; ++pass) {
            leftPress(200, c.fromRow);
            motion(200, c.toRow);
        }
        EXPECT_EQ(cameraElevation, c.limit);
        EXPECT_FLOAT_EQ(cameraEye.y, std::sin(c.limit));
        // Ten pixels back leave the limit by exactly ten pixels' worth.
        const int back = c.toRow + (c.fromRow > c.toRow ? 10 : -10);
        motion(200, back);
        const float tenPixels = static_cast<float>(10 * (2.0f / 400) * (PI * 0.9444444444444444 / 4));
        EXPECT_NEAR(cameraElevation, c.limit + (c.limit < 0 ? tenPixels : -tenPixels), 1e-6);
    }
}

TEST_F(MouseCameraTest, FirstOrbitStepJumpsTheEyeOntoTheSphere) {
    leftPress(200, 200);
    motion(201, 200);
    EXPECT_NEAR(cameraEye.x, -0.448, 0.005);
    EXPECT_NEAR(cameraEye.y, 0.0, 1e-7);
    EXPECT_NEAR(cameraEye.z, 0.894, 0.005);
    EXPECT_NEAR(eyeRadius(), 1.0, 1e-6);
    EXPECT_EQ(glCallTexts(), Calls{"glutPostRedisplay()"});
}

TEST_F(MouseCameraTest, OrbitAfterZoomPutsTheEyeBackOnTheUnitSphere) {
    leftPress(200, 200);
    motion(240, 180);
    const Float3 orbited = cameraEye;
    interactionMode = MODE_ZOOM;
    motion(340, 180);
    EXPECT_FLOAT_EQ(cameraEye.z, orbited.z + 0.5f);
    EXPECT_GT(eyeRadius(), 1.05f);
    interactionMode = MODE_ORBIT;
    motion(341, 180);
    EXPECT_NEAR(eyeRadius(), 1.0, 1e-6);
}

TEST_F(MouseCameraTest, AfterTheFirstLeftPressAMiddleDragMovesTheCameraToo) {
    leftPress(100, 100);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 100, 100);
    mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 300, 300);  // records nothing
    motion(300, 300);  // measured from where the left drag was
    EXPECT_GT(cameraAzimuth, 90.0f);
    EXPECT_GT(cameraElevation, 0.0f) << "the pointer went down, so the eye goes up";
}

TEST_F(MouseCameraTest, OrbitCameraDoesNothingOutsideOrbitMode) {
    interactionMode = MODE_ZOOM;
    orbitCamera({0.5f, 0.5f}, {0.0f, 0.0f});
    EXPECT_EQ(cameraAzimuth, 90.0f);
    EXPECT_EQ(cameraElevation, 0.0f);
    EXPECT_TRUE(glCalls().empty());
}

}  // namespace
