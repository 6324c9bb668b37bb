// Water Fall: opens the window, sets the scene up and runs GLUT's loop.
#include <GL/glut.h>

#include "app/startup.h"

int main(int argc, char** argv) {
    startUp(&argc, argv);
    glutMainLoop();
    return 0;
}
