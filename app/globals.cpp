// The application's state with its values before main runs.
#include "app/globals.h"

int windowWidth = 0;
int windowHeight = 0;
GLUquadric* sceneQuadric = nullptr;

int lastMouseX = 0;
int lastMouseY = 0;
int mouseDragging = 0;
int interactionMode = 0;

Float3 cameraEye = CAMERA_START_EYE;
Float3 cameraTarget = {0.0f, 0.0f, 0.0f};
float cameraAzimuth = 90.0f;
float cameraElevation = 0.0f;
const float PI = 3.1415927f;

bool fogEnabled = false;
bool redLightOn = false;
bool greenLightOn = false;
bool blueLightOn = false;
int animating = 0;

WaterfallSystem* waterfall = nullptr;
