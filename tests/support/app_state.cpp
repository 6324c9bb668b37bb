// Puts the application's globals back to their start values between tests.
#include "tests/support/app_state.h"

#include "app/globals.h"
#include "app/startup.h"
#include "app/light_menu.h"
#include "app/step_pacing.h"
#include "particles/waterfall_system.h"
#include "scene/scenery_lists.h"
#include "tests/support/gl_recorder.h"

void restoreStartState() {
    windowWidth = START_WINDOW_WIDTH;
    windowHeight = START_WINDOW_HEIGHT;
    sceneQuadric = nullptr;
    lastMouseX = 0;
    lastMouseY = 0;
    mouseDragging = 0;
    interactionMode = MODE_ORBIT;
    cameraEye = CAMERA_START_EYE;
    cameraTarget = {0.0f, 0.0f, 0.0f};
    cameraAzimuth = 90.0f;
    cameraElevation = 0.0f;
    fogEnabled = false;
    redLightOn = false;
    greenLightOn = false;
    blueLightOn = false;
    animating = 0;
    delete waterfall;  // made by start-up or installWaterfall
    waterfall = nullptr;
    lightMenu = 0;
    setScenerySending(ScenerySending::CompiledLists);
    forgetSceneryLists();  // the reset recorder knows no lists
    resetGlRecorder();
    monotonicNow = fakeClockNow;
    nextStepDue = MonotonicTime();
}

WaterfallSystem& installWaterfall(int capacity) {
    delete waterfall;
    waterfall = new WaterfallSystem(capacity);
    clearGlCalls();
    return *waterfall;
}

void runStartUp() {
    char name[] = "waterfall";
    char* argv[] = {name, nullptr};
    int argc = 1;
    startUp(&argc, argv);
}
