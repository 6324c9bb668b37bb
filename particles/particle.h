// One drop of the waterfall: launched with a small random velocity, it falls
// under gravity, is caught once by the ground, rebounds weakly and dies a
// fixed time after the contact. Drawn as a small sphere.
#pragma once

#include <GL/glu.h>

#include "particles/vector3.h"

class Particle {
public:
    // Ready for the pool: a random upward offset and a random velocity.
    Particle();

    // Plane constant d of the ground n . p = d; 0 for the scene's ground y = 0.
    float computeGroundLevel() const;
    // Puts the drop at `at` plus its own offset and starts its life.
    void launch(const Vector3& at);
    // One explicit time step of `timeStep` under `gravity` (scene units per
    // time unit squared, negative is down).
    void update(float timeStep, float gravity);
    bool isAlive() const { return life > 0.0f; }
    // A small sphere at the position, sent through gluSphere in immediate
    // mode; nothing at all once dead.
    void draw(GLUquadric* quadric) const;
    // The same sphere from the list compileDropSphere made, with the matrix
    // mode left to the caller; nothing at all once dead.
    void drawCompiled(GLuint sphereList) const;

    Vector3 velocity;      // scene units per time unit
    Vector3 position;      // scene units; before launch only the offset
    Vector3 acceleration;  // only y is ever set: the last gravity
    float groundLevel;
    int bounced = 0;       // 1 once the ground has caught the drop
    float life;            // time units left; alive while above 0
    float age = 0.0f;      // time units since the launch
};

// The drop's sphere, sent at the current origin: gluSphere with `quadric`.
void sendDropSphere(GLUquadric* quadric);
// A new display list holding sendDropSphere's calls, compiled without
// drawing; 0 if GL gives no list.
GLuint compileDropSphere(GLUquadric* quadric);

// Makes `particle` ready again, drawing fresh random numbers as construction
// does; `bounced` and `age` keep their values until the next launch.
void resetParticle(Particle& particle);
