// Start-up: the window, the callbacks and the fixed GL state.
#include "app/startup.h"

#include <GL/glut.h>

#include "app/globals.h"
#include "app/keyboard.h"
#include "app/light_menu.h"
#include "app/mouse_camera.h"
#include "app/sound.h"
#include "app/swap_interval.h"
#include "image/texture_ids.h"
#include "image/textures.h"
#include "particles/waterfall_system.h"
#include "scene/display.h"
#include "scene/lights.h"

namespace {

constexpr const char* WINDOW_TITLE = "Water Fall";
constexpr int WATERFALL_CAPACITY = 10000;  // particles

}  // namespace

void startUp(int* argc, char** argv) {
    windowWidth = START_WINDOW_WIDTH;
    windowHeight = START_WINDOW_HEIGHT;
    lastMouseY = 0;
    lastMouseX = 0;

    glutInit(argc, argv);
    glutInitWindowSize(START_WINDOW_WIDTH, START_WINDOW_HEIGHT);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(WINDOW_TITLE);
    glClearColor(0.0f, 0.5f, 1.0f, 1.0f);  // sky blue

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    glutKeyboardFunc(keyboard);
    glutIdleFunc(idle);
    interactionMode = MODE_ORBIT;
    startLoopingSound();

    glEnable(GL_DEPTH_TEST);
    // No blend function is ever set: GL's defaults keep every fragment opaque.
    glEnable(GL_BLEND);
    buildLightMenu();

    waterfall = new WaterfallSystem(WATERFALL_CAPACITY);
    sceneQuadric = gluNewQuadric();
    gluQuadricDrawStyle(sceneQuadric, GLU_FILL);
    gluQuadricNormals(sceneQuadric, GLU_SMOOTH);
    gluQuadricTexture(sceneQuadric, GL_TRUE);
    enableTexturing();
    initDefaultTexture();
    loadTexture(SKY_PICTURE, SKY_TEXTURE);
    loadTexture(GROUND_PICTURE, GROUND_TEXTURE);
    loadTexture(ROCK_PICTURE, ROCK_TEXTURE);
    initLights();
    // Where the driver offers it, each frame waits for the display.
    requestSwapInterval();
}
