// The four fixed lights and the two surface materials of the scene.
#include "scene/lights.h"

const Material rockMaterial = {
    {1.0f, 1.0f, 1.0f, 0.0f},
    {1.0f, 1.0f, 1.0f, 0.0f},
    {1.0f, 1.0f, 1.0f, 0.0f},
    100.0f,
};

const Material waterMaterial = {
    {1.0f, 0.728f, 0.772f, 1.0f},
    {0.0f, 0.6f, 1.0f, 0.0f},
    {0.0f, 0.6f, 1.0f, 0.0f},
    100.0f,
};

// Light 0 is white and always on; the menu switches 1 (violet, called red),
// 2 (amber, called green) and 3 (blue).
const GLfloat lightPosition[LIGHT_COUNT][4] = {
    {0.0f, 0.0f, 0.5f, 0.0f},
    {-0.1275f, 0.0225f, 0.5f, 0.0f},
    {0.1425f, 0.0225f, 0.5f, 0.0f},
    {0.1275f, 0.0725f, 0.5f, 0.0f},
};
const GLfloat lightAmbient[LIGHT_COUNT][4] = {
    {0.0f, 0.0f, 0.0f, 1.0f},
    {0.744f, 0.448f, 0.856f, 1.0f},
    {0.736f, 0.536f, 0.044f, 1.0f},
    {0.0f, 0.0f, 1.0f, 1.0f},
};
const GLfloat lightDiffuse[LIGHT_COUNT][4] = {
    {1.0f, 1.0f, 1.0f, 1.0f},
    {0.744f, 0.448f, 0.856f, 1.0f},
    {0.736f, 0.536f, 0.044f, 1.0f},
    {0.0f, 0.0f, 1.0f, 1.0f},
};
const GLfloat lightSpecular[LIGHT_COUNT][4] = {
    {1.0f, 1.0f, 1.0f, 1.0f},
    {0.744f, 0.448f, 0.856f, 1.0f},
    {0.736f, 0.536f, 0.044f, 1.0f},
    {0.0f, 0.0f, 1.0f, 1.0f},
};

namespace {

GLenum glLight(int index) {
    return static_cast<GLenum>(GL_LIGHT0 + index);
}

}  // namespace

void applyMaterial(Material material) {
    glMaterialfv(GL_FRONT, GL_AMBIENT, material.ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, material.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, material.specular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &material.shininess);
}

void initLights() {
    glEnable(GL_LIGHT0);
    for (int light = 0; light < LIGHT_COUNT; ++light) {
        glLightfv(glLight(light), GL_DIFFUSE, lightDiffuse[light]);
        glLightfv(glLight(light), GL_AMBIENT, lightAmbient[light]);
        glLightfv(glLight(light), GL_SPECULAR, lightSpecular[light]);
    }
    glShadeModel(GL_SMOOTH);
}

void positionLights() {
    glMatrixMode(GL_MODELVIEW);
    for (int light = 0; light < LIGHT_COUNT; ++light) {
        glLightfv(glLight(light), GL_POSITION, lightPosition[light]);
    }
}
