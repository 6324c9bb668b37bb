// The mouse callbacks that orbit the camera or, in zoom mode, slide it along z.
#include "app/mouse_camera.h"

#include <GL/glut.h>

#include "app/camera_math.h"
#include "app/globals.h"
#include "scene/display.h"

namespace {

// GLUT's rows run top-down; the camera counts them bottom-up.
int bottomUpRow(int y) {
    return windowHeight - y - 1;
}

}  // namespace

void mouse(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN) {
        return;
    }
    lastMouseX = x;
    lastMouseY = bottomUpRow(y);
    // Never cleared: later drags with any button move the camera too.
    mouseDragging = 1;
}

void motion(int x, int y) {
    if (mouseDragging == 0) {
        return;
    }
    const int row = bottomUpRow(y);
    if (interactionMode == MODE_ZOOM) {
        cameraEye.z += windowToWorldX(x) - windowToWorldX(lastMouseX);
        reshape(windowWidth, windowHeight);
        glutPostRedisplay();
    } else if (interactionMode == MODE_ORBIT) {
        orbitCamera({windowToWorldX(x), windowToWorldY(row)},
                    {windowToWorldX(lastMouseX), windowToWorldY(lastMouseY)});
    }
    lastMouseX = x;
    lastMouseY = row;
}

void orbitCamera(Point2 current, Point2 previous) {
    if (interactionMode != MODE_ORBIT) {
        return;
    }
    cameraElevation = orbitElevation(cameraElevation, current.y - previous.y);
    cameraAzimuth = orbitAzimuth(cameraAzimuth, current.x - previous.x, windowWidth, windowHeight);
    cameraEye = orbitEye(cameraAzimuth, cameraElevation);
    glutPostRedisplay();
}
