// A pooled particle system (see particle_system.h).
#include "particles/particle_system.h"

#include <cstdio>

namespace {

constexpr const char* POOL_EMPTY_MESSAGE = "MAX PARTICLES REACHED CANNOT CREATE NEW";

// Loops over the live list stop one short of its end; the count is signed so
// that an empty list stops at once.
int liveBound(const std::vector<Particle*>& live) {
    return static_cast<int>(live.size()) - 1;
}

}  // namespace

ParticleSystem::ParticleSystem(int particleCount) : capacity(particleCount) {
    const size_t size = particleCount > 0 ? static_cast<size_t>(particleCount) : 0;
    // Both lists can hold every particle, so no step ever grows them.
    particles.reserve(size);
    liveParticles.reserve(size);
    freeParticles.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        particles.emplace_back();
        freeParticles.push_back(&particles.back());
    }
}

ParticleSystem::~ParticleSystem() {
    if (sphereList != 0) {
        glDeleteLists(sphereList, 1);
    }
}

void ParticleSystem::step(float timeStep, float gravity) {
    updateAll(timeStep, gravity);
    recycleDead();
    emit();
}

void ParticleSystem::updateAll(float timeStep, float gravity) {
    const int bound = liveBound(liveParticles);
    for (int i = 0; i < bound; ++i) {
        liveParticles[static_cast<size_t>(i)]->update(timeStep, gravity);
    }
}

void ParticleSystem::recycleDead() {
    // One compacting pass with the result of removing each dead particle in
    // place and stepping on: after a removal the next particle is kept
    // unexamined, and the last particle is never examined. Linear in the
    // live count, where removing one by one would shift the list per death.
    const size_t count = liveParticles.size();
    size_t kept = 0;
    size_t read = 0;
    while (read + 1 < count) {
        Particle* particle = liveParticles[read];
        if (particle->isAlive()) {
            liveParticles[kept++] = particle;
            read += 1;
        } else {
            resetParticle(*particle);
            freeParticles.push_back(particle);
            liveParticles[kept++] = liveParticles[read + 1];  // skipped this pass
            read += 2;
        }
    }
    for (; read < count; ++read) {
        liveParticles[kept++] = liveParticles[read];
    }
    liveParticles.resize(kept);
}

void ParticleSystem::emitParticle(const Vector3& at) {
    if (freeParticles.empty()) {
        std::printf("%s", POOL_EMPTY_MESSAGE);
        std::fflush(stdout);  // a piped console would otherwise see it late
        return;
    }
    Particle* particle = freeParticles.back();
    freeParticles.pop_back();
    particle->launch(at);
    liveParticles.push_back(particle);
}

void ParticleSystem::drawAll() {
    const int bound = liveBound(liveParticles);
    bool modelviewSet = false;
    for (int i = 0; i < bound; ++i) {
        const Particle* particle = liveParticles[static_cast<size_t>(i)];
        if (sphereSending == SphereSending::Immediate) {
            particle->draw(particleQuadric);
            continue;
        }
        if (!particle->isAlive()) {
            continue;
        }
        // Every immediate draw sets the mode, and nothing between two drops
        // changes it: once, before the first drop drawn, leaves the same state.
        if (!modelviewSet) {
            glMatrixMode(GL_MODELVIEW);
            modelviewSet = true;
        }
        const GLuint list = dropSphereList();
        if (list == 0) {
            particle->draw(particleQuadric);  // GL gave no list
        } else {
            particle->drawCompiled(list);
        }
    }
}

GLuint ParticleSystem::dropSphereList() {
    if (sphereList == 0) {
        sphereList = compileDropSphere(particleQuadric);
        if (sphereList == 0) {
            sphereSending = SphereSending::Immediate;  // not asked for again
        }
    }
    return sphereList;
}
