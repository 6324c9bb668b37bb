// One drop: its ready state and random draws, launch, the falling, ground
// contact and afterlife of `update`, and the GL calls of `draw`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "particles/particle.h"
#include "particles/random_source.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

// The float 0.01 * value / 32767 that the value-th random draw scales to.
float scaled(int value) {
    return static_cast<float>(0.01 * (static_cast<float>(value) / 32767.0f));
}

void expectReady(const Particle& p) {
    EXPECT_EQ(p.position.x, 0.0f);
    EXPECT_EQ(p.position.z, 0.0f);
    EXPECT_GE(p.position.y, 0.0f);
    EXPECT_LE(p.position.y, 0.01f);
    for (float v : {p.velocity.x, p.velocity.y, p.velocity.z}) {
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 0.01f);
    }
    EXPECT_EQ(p.acceleration.x, 0.0f);
    EXPECT_EQ(p.acceleration.y, 0.0f);
    EXPECT_EQ(p.acceleration.z, 0.0f);
    EXPECT_EQ(p.groundLevel, 0.0f);
    EXPECT_EQ(p.life, 1.0f);
    EXPECT_TRUE(p.isAlive());
}

// A launched, falling particle at this place with this velocity.
Particle fallingAt(Vector3 position, Vector3 velocity) {
    Particle p;
    p.launch(Vector3(0, 0, 0));
    p.position = position;
    p.velocity = velocity;
    return p;
}

TEST(Particle, NewParticlesAreReadyWithinTheirRanges) {
    for (int i = 0; i < 2000; ++i) {
        Particle p;
        expectReady(p);
        if (HasFailure()) break;
    }
}

TEST(Particle, DrawsOffsetThenVelocityZYX) {
    resetRandomSource();  // draws 16838, 5758, 10113, 17515
    const Particle p;
    EXPECT_FLOAT_EQ(p.position.y, scaled(16838));
    EXPECT_FLOAT_EQ(p.velocity.z, scaled(5758));
    EXPECT_FLOAT_EQ(p.velocity.y, scaled(10113));
    EXPECT_FLOAT_EQ(p.velocity.x, scaled(17515));
}

TEST(Particle, ResetDrawsAsConstructionDoesButKeepsBouncedAndAge) {
    resetRandomSource();
    const Particle fresh;
    Particle p = fallingAt(Vector3(0.3f, -0.2f, 0.6f), Vector3(0.5f, 0.5f, 0.5f));
    p.bounced = 1;
    p.age = 37.0f;
    p.life = -1.0f;
    p.acceleration = Vector3(0, -0.01f, 0);
    resetRandomSource();
    resetParticle(p);
    expectReady(p);
    EXPECT_EQ(p.position.y, fresh.position.y);
    EXPECT_EQ(p.velocity.x, fresh.velocity.x);
    EXPECT_EQ(p.velocity.y, fresh.velocity.y);
    EXPECT_EQ(p.velocity.z, fresh.velocity.z);
    EXPECT_EQ(p.bounced, 1);
    EXPECT_EQ(p.age, 37.0f);
}

TEST(Particle, GroundLevelIsTheSceneFloor) {
    EXPECT_EQ(Particle().computeGroundLevel(), 0.0f);
}

TEST(Particle, LaunchAddsTheOffsetAndStartsTheLife) {
    Particle p;
    p.position = Vector3(0, 0.004f, 0);
    p.velocity = Vector3(0.001f, 0.002f, 0.003f);
    p.life = -3.0f;
    p.age = 12.0f;
    p.bounced = 1;
    p.launch(Vector3(-0.4f, 1.25f, 0.5f));
    EXPECT_FLOAT_EQ(p.position.x, -0.4f);
    EXPECT_FLOAT_EQ(p.position.y, 1.254f);
    EXPECT_FLOAT_EQ(p.position.z, 0.5f);
    EXPECT_EQ(p.life, 1.0f);
    EXPECT_EQ(p.age, 0.0f);
    EXPECT_EQ(p.bounced, 0);
    EXPECT_EQ(p.velocity.x, 0.001f);
    EXPECT_EQ(p.velocity.y, 0.002f);
    EXPECT_EQ(p.velocity.z, 0.003f);
}

TEST(Particle, OneUpdateUnderGravity) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        Vector3 position, velocity;
        Vector3 endPosition;
        float endVelocityY;
        int endBounced;
        float endLife;
    };
    const Case cases[] = {
        // The move uses the velocity from before the update.
        {"at rest high up", {0, 1.25f, 0}, {0, 0, 0}, {0, 1.25f, 0}, -0.01f, 0, 1.0f},
        {"drifting", {0.1f, 1.0f, 0.5f}, {0.01f, 0.005f, 0.002f}, {0.11f, 1.005f, 0.502f},
         -0.005f, 0, 1.0f},
        // Ends at 0.05: caught, the velocity of this update reversed and damped.
        {"reaching the ground", {0, 0.15f, 0}, {0, -0.1f, 0}, {0, 0.05f, 0}, 0.0275f, 1, 10.0f},
        // The float 0.1f lies a hair above the double 0.1 of the contact test.
        {"ending at 0.1f", {0, 0.125f, 0}, {0, -0.025f, 0}, {0, 0.1f, 0}, -0.035f, 0, 1.0f},
        {"capped at 1.4", {0, 1.45f, 0}, {0, 0.05f, 0}, {0, 1.4f, 0}, 0.04f, 0, 1.0f},
        // Far out in z nothing special happens (no jump to 1.5).
        {"beyond z 2.5", {0, 1.0f, 2.6f}, {0, 0, 0}, {0, 1.0f, 2.6f}, -0.01f, 0, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Particle p = fallingAt(c.position, c.velocity);
        p.age = 4.0f;
        p.update(1.0f, -0.01f);
        EXPECT_FLOAT_EQ(p.position.x, c.endPosition.x);
        EXPECT_FLOAT_EQ(p.position.y, c.endPosition.y);
        EXPECT_FLOAT_EQ(p.position.z, c.endPosition.z);
        EXPECT_FLOAT_EQ(p.velocity.y, c.endVelocityY);
        EXPECT_EQ(p.velocity.x, c.velocity.x);
        EXPECT_EQ(p.velocity.z, c.velocity.z);
        EXPECT_EQ(p.acceleration.y, -0.01f);
        EXPECT_EQ(p.bounced, c.endBounced);
        EXPECT_EQ(p.life, c.endLife);
        EXPECT_EQ(p.age, 5.0f);
    }
    // A height that is not a number counts as ground contact.
    Particle lost = fallingAt(Vector3(0, nan, 0), Vector3(0, 0, 0));
    lost.update(1.0f, -0.01f);
    EXPECT_EQ(lost.bounced, 1);
    EXPECT_EQ(lost.life, 10.0f);
}

TEST(Particle, LivesTenUpdatesAfterContactAndIsNeverCaughtTwice) {
    Particle p = fallingAt(Vector3(0, 0.15f, 0), Vector3(0, -0.1f, 0));
    p.update(1.0f, -0.01f);
    ASSERT_EQ(p.bounced, 1);
    for (int i = 1; i <= 9; ++i) {
        p.update(1.0f, -0.01f);
        EXPECT_TRUE(p.isAlive()) << "update " << i << " after contact";
    }
    p.update(1.0f, -0.01f);
    EXPECT_EQ(p.life, 0.0f);
    EXPECT_FALSE(p.isAlive());
    // Dead drops still move: under gravity, through the ground, never rebounding again.
    float previousVelocity = p.velocity.y;
    for (int i = 0; i < 40; ++i) {
        p.update(1.0f, -0.01f);
        EXPECT_FLOAT_EQ(p.velocity.y, previousVelocity - 0.01f);
        previousVelocity = p.velocity.y;
    }
    EXPECT_LT(p.position.y, 0.0f);
    EXPECT_EQ(p.bounced, 1);
    EXPECT_EQ(p.life, -40.0f);
}

TEST(Particle, FromTheLedgesADropLandsIn16Or17UpdatesAndReboundsAboutATenth) {
    for (int i = 0; i < 200; ++i) {
        Particle p;
        p.launch(Vector3(0, 1.25f, 0.5f));
        int updates = 0;
        while (p.bounced == 0 && updates < 100) {
            p.update(1.0f, -0.01f);
            ++updates;
        }
        EXPECT_GE(updates, 16);
        EXPECT_LE(updates, 17);
        const float contact = p.position.y;
        float top = contact;
        for (int j = 0; j < 9; ++j) {
            p.update(1.0f, -0.01f);
            top = std::max(top, p.position.y);
        }
        EXPECT_GT(top, contact);
        EXPECT_LT(top, 0.2f);
        EXPECT_LE(p.position.y, 1.27f);
        if (HasFailure()) break;
    }
}

TEST(Particle, DrawPlacesOneSphereAndLeavesTheMatrixAsFound) {
    resetGlRecorder();
    GLUquadric* quadric = gluNewQuadric();
    Particle p;
    p.position = Vector3(0.25f, 0.1f, -0.75f);
    resetGlRecorder();
    p.draw(quadric);
    EXPECT_EQ(glCallTexts(), (Calls{"glMatrixMode(GL_MODELVIEW)", "glPushMatrix()",
                                    "glTranslatef(0.25, 0.1, -0.75)",
                                    "gluSphere(quadric1, 0.02, 12, 12)", "glPopMatrix()"}));
    ASSERT_EQ(glCalls().size(), 5u);
    EXPECT_EQ(glCalls()[2].numbers, (std::vector<double>{0.25f, 0.1f, -0.75f}));
    EXPECT_EQ(glCalls()[3].numbers, (std::vector<double>{0.02, 12, 12}));
    EXPECT_EQ(glState().modelviewDepth, 1);

    for (float life : {0.0f, -2.5f}) {
        resetGlRecorder();
        p.life = life;
        p.draw(quadric);
        EXPECT_TRUE(glCalls().empty()) << glCallDump();
    }
    gluDeleteQuadric(quadric);
}

}  // namespace
