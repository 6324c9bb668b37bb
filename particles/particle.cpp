// One drop of the waterfall (see particle.h).
#include "particles/particle.h"

#include "particles/random_source.h"

namespace {

constexpr double OFFSET_SCALE = 0.01;    // scene units: launch offset up to 0.01
constexpr double VELOCITY_SCALE = 0.01;  // scene units per time unit, per component
constexpr float LAUNCH_LIFE = 1.0f;      // time units; kept at this while falling
constexpr float AFTERLIFE = 10.0f;       // time units from ground contact to death
// Heights, the damping and the comparisons are in double; results stored as float.
constexpr double CONTACT_HEIGHT = 0.1;   // scene units above the ground
constexpr double REBOUND_FACTOR = -0.25;
constexpr double CEILING = 1.4;          // scene units
constexpr GLdouble SPHERE_RADIUS = 0.02;  // scene units
constexpr GLint SPHERE_SLICES = 12;
constexpr GLint SPHERE_STACKS = 12;

const Vector3 UP(0.0f, 1.0f, 0.0f);

float scaledRandom(double scale) {
    return static_cast<float>(scale * randomUnit());
}

// The offset, velocity, acceleration, ground level and life of a ready
// particle. The four draws go: offset, then velocity z, y and x.
void makeReady(Particle& particle) {
    particle.position = Vector3(0.0f, scaledRandom(OFFSET_SCALE), 0.0f);
    const float vz = scaledRandom(VELOCITY_SCALE);
    const float vy = scaledRandom(VELOCITY_SCALE);
    const float vx = scaledRandom(VELOCITY_SCALE);
    particle.velocity = Vector3(vx, vy, vz);
    particle.acceleration = Vector3(0.0f, 0.0f, 0.0f);
    particle.groundLevel = particle.computeGroundLevel();
    particle.life = LAUNCH_LIFE;
}

}  // namespace

Particle::Particle()
    : velocity(0.0f, 0.0f, 0.0f),
      position(0.0f, 0.0f, 0.0f),
      acceleration(0.0f, 0.0f, 0.0f),
      groundLevel(0.0f),
      life(LAUNCH_LIFE) {
    makeReady(*this);
}

void resetParticle(Particle& particle) {
    makeReady(particle);
}

float Particle::computeGroundLevel() const {
    // One corner and two edges of a square in the plane y = 0.
    const Vector3 corner(-2.0f, 0.0f, -2.0f);
    const Vector3 edge1(0.0f, 0.0f, 4.0f);
    const Vector3 edge2(4.0f, 0.0f, 0.0f);
    const Vector3 normal = normalizeVector(crossProduct(edge1, edge2));
    return dotProduct(normal, corner);
}

void Particle::launch(const Vector3& at) {
    position = addVectors(at, position);
    life = LAUNCH_LIFE;
    age = 0.0f;
    bounced = 0;
}

void Particle::update(float timeStep, float gravity) {
    acceleration.y = gravity;
    // The move uses the velocity from before this step.
    position = addVectors(position, Vector3(timeStep * velocity.x, timeStep * velocity.y,
                                            timeStep * velocity.z));
    velocity.y = velocity.y + timeStep * acceleration.y;
    const float height = dotProduct(position, UP) - groundLevel;
    life = life - timeStep;
    if (bounced == 0) {
        if (height > CONTACT_HEIGHT) {
            life = LAUNCH_LIFE;  // a falling drop cannot die before it lands
        } else {
            // Caught once; after this the ground is never tested again.
            bounced = 1;
            life = AFTERLIFE;
            velocity.y = static_cast<float>(REBOUND_FACTOR * velocity.y);
        }
    }
    if (position.y > CEILING) {
        position.y = static_cast<float>(CEILING);
    }
    age = age + timeStep;
}

void Particle::draw(GLUquadric* quadric) const {
    if (!isAlive()) {
        return;
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    sendDropSphere(quadric);
    glPopMatrix();
}

void Particle::drawCompiled(GLuint sphereList) const {
    if (!isAlive()) {
        return;
    }
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glCallList(sphereList);
    glPopMatrix();
}

void sendDropSphere(GLUquadric* quadric) {
    gluSphere(quadric, SPHERE_RADIUS, SPHERE_SLICES, SPHERE_STACKS);
}

GLuint compileDropSphere(GLUquadric* quadric) {
    const GLuint list = glGenLists(1);
    if (list == 0) {
        return 0;
    }
    glNewList(list, GL_COMPILE);
    sendDropSphere(quadric);
    glEndList();
    return list;
}
