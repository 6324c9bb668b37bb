// The frame pass and the projection: GLUT's display and reshape callbacks.
#include "scene/display.h"

#include <GL/glut.h>

#include "app/globals.h"
#include "particles/waterfall_system.h"
#include "scene/ground.h"
#include "scene/ledges.h"
#include "scene/lights.h"
#include "scene/rocks.h"
#include "scene/window_size.h"

namespace {

constexpr GLdouble VIEW_HALF_HEIGHT = 2.0;  // scene units above and below the centre
constexpr GLdouble VIEW_NEAR = -2.0;        // scene units
constexpr GLdouble VIEW_FAR = 2.0;          // scene units
// The viewport overshoots the window by this much on the right and at the
// top; the image is anchored at the lower-left corner.
constexpr double VIEWPORT_OVERSHOOT = 12.5;  // pixels, truncated when added

}  // namespace

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    gluLookAt(cameraEye.x, cameraEye.y, cameraEye.z,
              cameraTarget.x, cameraTarget.y, cameraTarget.z,
              0.0, 1.0, 0.0);
    glDisable(GL_FOG);

    glPushMatrix();
    drawGround();
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    positionLights();
    glEnable(GL_LIGHTING);
    if (fogEnabled) {
        glEnable(GL_FOG);
    } else {
        glDisable(GL_FOG);
    }
    applyMaterial(rockMaterial);
    drawRocks();
    glPopMatrix();
    drawLedges();
    applyMaterial(waterMaterial);
    waterfall->drawAll();
    glDisable(GL_LIGHTING);
    glPopMatrix();
    glutSwapBuffers();
}

void reshape(int width, int height) {
    windowWidth = width;
    windowHeight = height;
    // A minimised window can report a height of 0; the projection and the
    // viewport then use 1 so that GL never sees a non-finite ratio.
    const int safeHeight = divisorHeight(height);
    const double aspect = static_cast<double>(width) / safeHeight;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-VIEW_HALF_HEIGHT * aspect, VIEW_HALF_HEIGHT * aspect,
            -VIEW_HALF_HEIGHT, VIEW_HALF_HEIGHT, VIEW_NEAR, VIEW_FAR);
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, static_cast<GLsizei>(width + VIEWPORT_OVERSHOOT),
               static_cast<GLsizei>(safeHeight + VIEWPORT_OVERSHOOT));
}
