// The waterfall's launch pattern and its quadric (see waterfall_system.h).
#include "particles/waterfall_system.h"

#include <cstdio>

namespace {

constexpr int LAUNCH_POINTS = 150;     // per pass, along x
constexpr int LAUNCH_PASSES = 2;       // so 300 drops a step
constexpr float LINE_START_X = -0.4f;  // scene units
constexpr double LINE_SPACING = 0.006; // scene units; summed in double, stored as float
constexpr float LINE_Y = 1.25f;        // scene units: the ledges' height
constexpr float LINE_Z = 0.5f;         // scene units
// The message opens with four line breaks and has none at its end.
constexpr const char* LOW_POOL_MESSAGE = "\n\n\n\n***************DANGER %d***************";

}  // namespace

WaterfallSystem::WaterfallSystem(int particleCount)
    : ParticleSystem(particleCount), emitterPosition(0.0f, 0.0f, 0.0f) {
    particleQuadric = gluNewQuadric();
    gluQuadricDrawStyle(particleQuadric, GLU_FILL);
    gluQuadricNormals(particleQuadric, GLU_SMOOTH);
    gluQuadricTexture(particleQuadric, GL_TRUE);
}

WaterfallSystem::~WaterfallSystem() {
    gluDeleteQuadric(particleQuadric);
}

std::unique_ptr<Particle> WaterfallSystem::createParticle() {
    return std::make_unique<Particle>();
}

void WaterfallSystem::emit() {
    const int available = static_cast<int>(freeParticles.size());
    int count = 0;
    // Admits a step with one pool's worth for a single pass, though a step
    // launches two: with 151 to 299 free, the second pass runs the pool dry
    // and each launch after that reports the empty pool.
    if (available > LAUNCH_POINTS) {
        count = LAUNCH_POINTS;
    } else {
        std::printf(LOW_POOL_MESSAGE, available);
        std::fflush(stdout);  // a piped console would otherwise see it late
    }
    for (int pass = 0; pass < LAUNCH_PASSES; ++pass) {
        emitterPosition.x = LINE_START_X;
        emitterPosition.y = LINE_Y;
        for (int i = 0; i < count; ++i) {
            emitterPosition.z = LINE_Z;
            emitParticle(emitterPosition);
            emitterPosition.x = static_cast<float>(emitterPosition.x + LINE_SPACING);
        }
    }
}
