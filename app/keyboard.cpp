// Single-letter commands: animate, zoom mode, fog, help, quit, camera reset.
#include "app/keyboard.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>

#include "app/animation_tick.h"
#include "app/globals.h"

namespace {

// Linear fog with its end nearer than its start: whatever lies 0.7 units or
// more from the eye stays clear, nearer surfaces fade towards light grey.
constexpr GLfloat FOG_DENSITY = 0.0f;
constexpr GLfloat FOG_START = 0.7f;  // scene units
constexpr GLfloat FOG_END = 0.0f;    // scene units

// The help text, printed as it stands: the blanks before some line ends and
// the spelling belong to it.
constexpr const char* HELP_BANNER =
    "\n **************************** WATERFALL **************************************\n";
constexpr const char* HELP_MENU =
    "\n\t MENU OPTIONS: \n\t============== \n\t1. Enable/Disable Red Light.\n"
    "\t2. Enable/Disable Green Light.\n\t3. Enable/Disable Blue Light. \n"
    "\t4. Exit :Exits the application \n";
constexpr const char* HELP_KEYS_FOG =
    "\n\t Keyboard Options :\n\t===================  \n\t f / F : Enable or disable Fog ";
constexpr const char* HELP_KEYS_RESET_ANIMATE =
    "\n\t r / R : Reset the position of the camera \n \t a / A : Animate the Water Fall";
constexpr const char* HELP_KEYS_QUIT = "\n\t q / Q : Exiting the appplication.\n\t";

void resetCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    cameraEye = CAMERA_START_EYE;
    glutPostRedisplay();
    interactionMode = MODE_ORBIT;
}

}  // namespace

void toggleFog() {
    fogEnabled = !fogEnabled;
    if (fogEnabled) {
        const GLfloat fogColor[4] = {0.9f, 0.9f, 0.9f, 0.0f};
        glEnable(GL_FOG);
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glFogf(GL_FOG_DENSITY, FOG_DENSITY);
        glFogf(GL_FOG_START, FOG_START);
        glFogf(GL_FOG_END, FOG_END);
        glFogfv(GL_FOG_COLOR, fogColor);
    } else {
        glDisable(GL_FOG);
    }
    glutPostRedisplay();
}

void printHelp() {
    std::printf("%s", HELP_BANNER);
    std::printf("%s", HELP_MENU);
    std::printf("%s", HELP_KEYS_FOG);
    std::printf("%s", HELP_KEYS_RESET_ANIMATE);
    std::printf("%s", HELP_KEYS_QUIT);
    std::printf("%s", HELP_BANNER);
    std::fflush(stdout);  // a piped console would otherwise see it only at exit
}

void keyboard(unsigned char key, int /*x*/, int /*y*/) {
    switch (key) {
    case 'A': case 'a':
        animating = animating == 0 ? 1 : 0;
        if (animating == 1) {
            glutIdleFunc(idle);  // the tick took itself out while the pour stood still
        }
        break;
    case 'C': case 'c':
        interactionMode = MODE_ZOOM;
        glutPostRedisplay();
        break;
    case 'F': case 'f':
        toggleFog();
        break;
    case 'H': case 'h':
        printHelp();
        break;
    case 'Q': case 'q':
        std::exit(0);
    case 'R': case 'r':
        resetCamera();
        break;
    default:
        break;
    }
}
