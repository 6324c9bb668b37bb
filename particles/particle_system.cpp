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

// Culls the drops' back faces. A drop is closed, convex and opaque (blending
// runs with GL's default factors), so its front half hides its back half;
// only a pixel centred on an edge between a front and a back triangle can go
// to the back one by the fill rule: a few pixels on the outlines a frame.
// The back half would show where the near plane cut a drop open, and it
// never does. The projection keeps what lies up to 2 units behind the eye,
// and the eye looks at the origin from wherever the controls put it (the
// orbit 1 unit out, the zoom any distance, the origin itself included), so
// the near plane never comes nearer the origin than 2 units. A drawn drop
// stays within DROP_REACH of it: launched at most 0.01 above 1.25, rising at
// most 0.01 more, it is down to 0.1 by its 17th update and dead by its 27th,
// so after at most 26 updates of up to 0.01 in x and z, |x| <= 0.754,
// |y| <= 1.27 and |z| <= 0.76: 1.66 from the origin, its sphere 1.68.
// Front face and culled face are GL's defaults: the frame leaves them so.
void startCulledDrops() {
    glFrontFace(GL_CCW);  // GLU winds its quadrics' outsides counter-clockwise
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
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
    bool started = false;
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
        if (!started) {
            glMatrixMode(GL_MODELVIEW);
            startCulledDrops();
            started = true;
        }
        const GLuint list = dropSphereList();
        if (list == 0) {
            particle->draw(particleQuadric);  // GL gave no list
        } else {
            particle->drawCompiled(list);
        }
    }
    if (started) {
        glDisable(GL_CULL_FACE);  // nothing else: the ground shows both sides, the rocks are open
    }
}

GLuint ParticleSystem::dropSphereList() {
    if (sphereList == 0 && !listRefused) {
        sphereList = compileDropSphere(particleQuadric);
        listRefused = sphereList == 0;  // not asked for again
    }
    return sphereList;
}
