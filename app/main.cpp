// Water Fall: opens the window, sets the scene up and runs GLUT's loop.
#include <GL/glut.h>

#include "app/startup.h"
#include "app/swap_interval.h"

int main(int argc, char** argv) {
    startUp(&argc, argv);
    // Where the driver offers it, each frame waits for the display.
    requestSwapInterval();
    glutMainLoop();
    return 0;
}
