// A pooled particle system: every particle is made once, at construction, and
// then moves between the free pool and the live list. A concrete system gives
// the launch pattern (`emit`) and makes the quadric the drops are drawn with.
#pragma once

#include <GL/glu.h>

#include <memory>
#include <vector>

#include "particles/particle.h"
#include "particles/vector3.h"

class ParticleSystem {
public:
    // How drawAll sends each drop's sphere. The program uses the compiled
    // list (gluSphere for every drop where GL gives no list) with the back
    // faces culled; the immediate way, gluSphere for every drop and nothing
    // culled, is the reference that the program's frames are compared with
    // and timed against.
    enum class SphereSending { CompiledList, Immediate };

    // Scene units from the origin that no drawn drop's centre reaches, the
    // bound that culling the drops rests on (see drawAll).
    static constexpr float DROP_REACH = 1.67f;

    explicit ParticleSystem(int particleCount);
    virtual ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    virtual std::unique_ptr<Particle> createParticle() = 0;
    // The launch pattern, run at the end of every step.
    virtual void emit() = 0;

    // Moves the live particles, returns the dead ones to the pool, then emits.
    void step(float timeStep, float gravity);
    // Every live particle but the last (the one launched most recently).
    void updateAll(float timeStep, float gravity);
    // Returns dead particles to the pool. A particle that moves into the place
    // of a removed one is not examined until the next pass, and the last live
    // particle never is: of neighbouring dead particles, a pass takes every
    // other one.
    void recycleDead();
    // Launches the particle on top of the pool at `at`; an empty pool is
    // reported and the launch dropped.
    void emitParticle(const Vector3& at);
    // Every live particle but the last, as the sphere of `particleQuadric`.
    // The first drop drawn compiles the sphere's list, so the first call
    // needs the GL context; the matrix mode is set and back-face culling
    // switched on once, before that drop, and culling is off again after
    // the last.
    void drawAll();
    void setSphereSending(SphereSending way) { sphereSending = way; }

    int particleCapacity() const { return capacity; }
    // In launch order.
    const std::vector<Particle*>& live() const { return liveParticles; }
    // A stack: the particle at the end is launched next.
    const std::vector<Particle*>& pool() const { return freeParticles; }
    GLUquadric* quadric() const { return particleQuadric; }

protected:
    int capacity;
    std::vector<Particle*> liveParticles;
    std::vector<Particle*> freeParticles;
    GLUquadric* particleQuadric = nullptr;

private:
    // The list that drawAll calls, made on its first use.
    GLuint dropSphereList();

    // Storage of every particle; reserved once, so the pointers stay valid.
    std::vector<Particle> particles;
    SphereSending sphereSending = SphereSending::CompiledList;
    GLuint sphereList = 0;  // 0 until the first drop is drawn
    bool listRefused = false;  // GL gave no list: gluSphere for every drop
};
