// The four fixed lights and the two surface materials of the scene.
#pragma once

#include <GL/gl.h>

constexpr int LIGHT_COUNT = 4;  // GL_LIGHT0 to GL_LIGHT3

struct Material {
    GLfloat ambient[4];   // RGBA
    GLfloat diffuse[4];   // RGBA
    GLfloat specular[4];  // RGBA
    GLfloat shininess;    // specular exponent
};

extern const Material rockMaterial;   // rocks and ledges
extern const Material waterMaterial;  // the water drops

// Indexed by light number; w = 0 makes every light directional.
extern const GLfloat lightPosition[LIGHT_COUNT][4];
extern const GLfloat lightAmbient[LIGHT_COUNT][4];
extern const GLfloat lightDiffuse[LIGHT_COUNT][4];
extern const GLfloat lightSpecular[LIGHT_COUNT][4];

// Makes the material current for front faces.
void applyMaterial(Material material);
// Once at start-up: the lights' colours, light 0 on, smooth shading.
void initLights();
// Every frame, under the view and the scene's quarter turn, so that the
// lights stay fixed to the scene while the camera moves.
void positionLights();
