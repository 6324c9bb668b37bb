// The waterfall: a sheet of drops launched twice a step from a line of 150
// points at the ledges' height, drawn with a quadric of its own.
#pragma once

#include <memory>

#include "particles/particle_system.h"

class WaterfallSystem : public ParticleSystem {
public:
    explicit WaterfallSystem(int particleCount);
    ~WaterfallSystem() override;

    std::unique_ptr<Particle> createParticle() override;
    void emit() override;

    // The last launch point plus one spacing; (0, 0, 0) until the first emit.
    const Vector3& emitter() const { return emitterPosition; }

private:
    Vector3 emitterPosition;
};
