// The application's state: every value that outlives one GLUT callback.
#pragma once

#include <GL/glu.h>

class WaterfallSystem;

// What a left-button drag does.
constexpr int MODE_ORBIT = 1;
constexpr int MODE_ZOOM = 2;

struct Float3 {
    float x, y, z;
};

// Where the eye stands at start and after the reset key, in scene units.
constexpr Float3 CAMERA_START_EYE = {0.081023f, 0.063008f, 0.85435f};
constexpr int START_WINDOW_WIDTH = 400;   // pixels
constexpr int START_WINDOW_HEIGHT = 400;  // pixels

extern int windowWidth;   // pixels
extern int windowHeight;  // pixels; also turns GLUT's top-down mouse y bottom-up
extern GLUquadric* sceneQuadric;  // draws the rock cylinders

extern int lastMouseX;     // pixels from the left
extern int lastMouseY;     // bottom-up row: windowHeight - y - 1
extern int mouseDragging;  // 1 from the first left press on, for good
extern int interactionMode;

extern Float3 cameraEye;
extern Float3 cameraTarget;
extern float cameraAzimuth;    // radians from +x towards +z, never wrapped
extern float cameraElevation;  // radians above the x-z plane
extern const float PI;         // single-precision pi: the orbit's angle scale

extern bool fogEnabled;
extern bool redLightOn;    // GL_LIGHT1 is enabled
extern bool greenLightOn;  // GL_LIGHT2 is enabled
extern bool blueLightOn;   // GL_LIGHT3 is enabled
extern int animating;      // 0 or 1

extern WaterfallSystem* waterfall;
