// The light set-up, the per-frame light positions and the two materials.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/lights.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

using LightsTest = StartStateTest;

// The four floats of a recorded vector argument, as the program stored them.
std::vector<double> floats(std::initializer_list<float> values) {
    std::vector<double> out;
    for (float v : values) out.push_back(static_cast<double>(v));
    return out;
}

TEST_F(LightsTest, InitLightsSwitchesOnLightZeroAndColoursAllFourInOrder) {
    initLights();
    const Calls expected = {
        "glEnable(GL_LIGHT0)",
        "glLightfv(GL_LIGHT0, GL_DIFFUSE, [1, 1, 1, 1])",
        "glLightfv(GL_LIGHT0, GL_AMBIENT, [0, 0, 0, 1])",
        "glLightfv(GL_LIGHT0, GL_SPECULAR, [1, 1, 1, 1])",
        "glLightfv(GL_LIGHT1, GL_DIFFUSE, [0.744, 0.448, 0.856, 1])",
        "glLightfv(GL_LIGHT1, GL_AMBIENT, [0.744, 0.448, 0.856, 1])",
        "glLightfv(GL_LIGHT1, GL_SPECULAR, [0.744, 0.448, 0.856, 1])",
        "glLightfv(GL_LIGHT2, GL_DIFFUSE, [0.736, 0.536, 0.044, 1])",
        "glLightfv(GL_LIGHT2, GL_AMBIENT, [0.736, 0.536, 0.044, 1])",
        "glLightfv(GL_LIGHT2, GL_SPECULAR, [0.736, 0.536, 0.044, 1])",
        "glLightfv(GL_LIGHT3, GL_DIFFUSE, [0, 0, 1, 1])",
        "glLightfv(GL_LIGHT3, GL_AMBIENT, [0, 0, 1, 1])",
        "glLightfv(GL_LIGHT3, GL_SPECULAR, [0, 0, 1, 1])",
        "glShadeModel(GL_SMOOTH)",
    };
    EXPECT_EQ(glCallTexts(), expected);
    // The colours are single-precision values, passed on unrounded.
    EXPECT_EQ(glCalls()[4].numbers,
              (std::vector<double>{GL_LIGHT1, GL_DIFFUSE, 0.744f, 0.448f, 0.856f, 1.0f}));
    EXPECT_EQ(glCalls()[8].numbers,
              (std::vector<double>{GL_LIGHT2, GL_AMBIENT, 0.736f, 0.536f, 0.044f, 1.0f}));
    // Only light 0 is on; lighting itself is the frame pass's business.
    EXPECT_EQ(glState().enabled, (std::set<GLenum>{GL_LIGHT0}));
}

TEST_F(LightsTest, PositionLightsSendsTheFourDirectionsUnderTheModelview) {
    glState().matrixMode = GL_PROJECTION;
    positionLights();
    EXPECT_EQ(glCallTexts(), (Calls{
                                 "glMatrixMode(GL_MODELVIEW)",
                                 "glLightfv(GL_LIGHT0, GL_POSITION, [0, 0, 0.5, 0])",
                                 "glLightfv(GL_LIGHT1, GL_POSITION, [-0.1275, 0.0225, 0.5, 0])",
                                 "glLightfv(GL_LIGHT2, GL_POSITION, [0.1425, 0.0225, 0.5, 0])",
                                 "glLightfv(GL_LIGHT3, GL_POSITION, [0.1275, 0.0725, 0.5, 0])",
                             }));
    const std::vector<double> light3(glCalls()[4].numbers.begin() + 2, glCalls()[4].numbers.end());
    EXPECT_EQ(light3, floats({0.1275f, 0.0725f, 0.5f, 0.0f}));
    EXPECT_TRUE(glState().enabled.empty()) << "positions switch nothing on";
}

struct MaterialCase {
    const char* name;
    const Material& material;
    Calls calls;
};

TEST_F(LightsTest, ApplyMaterialSendsAmbientDiffuseSpecularShininessToFrontFaces) {
    const MaterialCase cases[] = {
        {"rock", rockMaterial,
         {"glMaterialfv(GL_FRONT, GL_AMBIENT, [1, 1, 1, 0])",
          "glMaterialfv(GL_FRONT, GL_DIFFUSE, [1, 1, 1, 0])",
          "glMaterialfv(GL_FRONT, GL_SPECULAR, [1, 1, 1, 0])",
          "glMaterialfv(GL_FRONT, GL_SHININESS, [100])"}},
        {"water", waterMaterial,
         {"glMaterialfv(GL_FRONT, GL_AMBIENT, [1, 0.728, 0.772, 1])",
          "glMaterialfv(GL_FRONT, GL_DIFFUSE, [0, 0.6, 1, 0])",
          "glMaterialfv(GL_FRONT, GL_SPECULAR, [0, 0.6, 1, 0])",
          "glMaterialfv(GL_FRONT, GL_SHININESS, [100])"}},
    };
    for (const MaterialCase& c : cases) {
        resetGlRecorder();
        applyMaterial(c.material);
        EXPECT_EQ(glCallTexts(), c.calls) << c.name;
    }
    resetGlRecorder();
    applyMaterial(waterMaterial);
    EXPECT_EQ(glCalls()[0].numbers,
              (std::vector<double>{GL_FRONT, GL_AMBIENT, 1.0f, 0.728f, 0.772f, 1.0f}));
}

}  // namespace
