// The pool: construction, the one-short loops, the recycling pass with its
// skipped neighbours, the empty-pool message, and the pool's bookkeeping over
// long random runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "particles/particle_system.h"
#include "particles/random_source.h"
#include "tests/support/gl_recorder.h"

namespace {

const std::string POOL_EMPTY = "MAX PARTICLES REACHED CANNOT CREATE NEW";

// A system whose launches the test makes itself, through emitParticle.
class ManualSystem : public ParticleSystem {
public:
    explicit ManualSystem(int particleCount) : ParticleSystem(particleCount) {}
    std::unique_ptr<Particle> createParticle() override { return std::make_unique<Particle>(); }
    void emit() override {}
};

// A system that launches a random number of drops a step, from random places.
class RandomSystem : public ParticleSystem {
public:
    RandomSystem(int particleCount, unsigned seed) : ParticleSystem(particleCount), random(seed) {}
    std::unique_ptr<Particle> createParticle() override { return std::make_unique<Particle>(); }
    void emit() override {
        const int launches = std::uniform_int_distribution<int>(0, 40)(random);
        std::uniform_real_distribution<float> place(-1.0f, 1.5f);
        for (int i = 0; i < launches; ++i) {
            emitParticle(Vector3(place(random), place(random), place(random)));
        }
    }
    std::mt19937 random;
};

// Launches every particle of the pool; P1 is live()[0].
std::vector<Particle*> launchAll(ParticleSystem& system) {
    while (!system.pool().empty()) system.emitParticle(Vector3(0, 1, 0));
    return system.live();
}

TEST(ParticleSystem, ConstructionFillsThePoolWithReadyParticles) {
    ManualSystem system(10000);
    EXPECT_EQ(system.particleCapacity(), 10000);
    EXPECT_TRUE(system.live().empty());
    ASSERT_EQ(system.pool().size(), 10000u);
    EXPECT_EQ(std::set<Particle*>(system.pool().begin(), system.pool().end()).size(), 10000u);
    for (const Particle* p : system.pool()) {
        ASSERT_EQ(p->life, 1.0f);
        ASSERT_EQ(p->position.x, 0.0f);
        ASSERT_EQ(p->position.z, 0.0f);
        ASSERT_LE(p->position.y, 0.01f);
    }
}

TEST(ParticleSystem, EmptyPoolReportsAndLaunchesNothing) {
    struct Case {
        int capacity;
        int launches;
    };
    for (const Case c : {Case{0, 3}, Case{1, 2}, Case{2, 2}}) {
        SCOPED_TRACE(testing::Message() << "capacity " << c.capacity);
        ManualSystem system(c.capacity);
        const std::vector<Particle*> pool = system.pool();
        testing::internal::CaptureStdout();
        for (int i = 0; i < c.launches; ++i) system.emitParticle(Vector3(0.5f, 1, 0));
        const std::string out = testing::internal::GetCapturedStdout();
        const int failed = std::max(0, c.launches - c.capacity);
        std::string expected;
        for (int i = 0; i < failed; ++i) expected += POOL_EMPTY;  // no line breaks
        EXPECT_EQ(out, expected);
        // Launched from the top of the pool down.
        EXPECT_EQ(system.live(), std::vector<Particle*>(pool.rbegin(), pool.rend()));
        EXPECT_TRUE(system.pool().empty());
        for (const Particle* p : system.live()) EXPECT_FLOAT_EQ(p->position.x, 0.5f);
    }
}

TEST(ParticleSystem, WithOneLiveParticleOrNoneTheLoopsDoNothing) {
    ManualSystem empty(0);
    empty.updateAll(1.0f, -0.01f);
    empty.recycleDead();
    resetGlRecorder();
    empty.drawAll();
    EXPECT_TRUE(glCalls().empty());

    ManualSystem system(1);
    Particle* only = launchAll(system)[0];
    const Vector3 before = only->position;
    only->velocity = Vector3(0.1f, 0.1f, 0.1f);
    system.updateAll(1.0f, -0.01f);
    EXPECT_EQ(only->position.y, before.y);
    EXPECT_EQ(only->age, 0.0f);
    resetGlRecorder();
    system.drawAll();
    EXPECT_TRUE(glCalls().empty()) << glCallDump();
    only->life = 0.0f;
    system.recycleDead();
    EXPECT_EQ(system.live(), std::vector<Particle*>{only});
    EXPECT_TRUE(system.pool().empty());
}

TEST(ParticleSystem, TheLastLaunchedIsNeitherUpdatedNorDrawn) {
    ManualSystem system(3);
    const std::vector<Particle*> live = launchAll(system);
    for (Particle* p : live) p->velocity = Vector3(0.01f, 0, 0);
    const Vector3 launchedAt = live[2]->position;
    for (int step = 0; step < 5; ++step) system.step(1.0f, -0.01f);
    EXPECT_EQ(live[0]->age, 5.0f);
    EXPECT_EQ(live[1]->age, 5.0f);
    // Never updated: where it was launched, still at rest.
    EXPECT_EQ(live[2]->age, 0.0f);
    EXPECT_EQ(live[2]->position.x, launchedAt.x);
    EXPECT_EQ(live[2]->position.y, launchedAt.y);
    EXPECT_EQ(live[2]->velocity.y, 0.0f);
    resetGlRecorder();
    system.drawAll();
    EXPECT_EQ(glCallTexts("glCallList").size(), 2u);
    const auto firstMove = std::find_if(glCalls().begin(), glCalls().end(),
                                        [](const GlCall& call) { return call.name == "glTranslatef"; });
    ASSERT_NE(firstMove, glCalls().end());
    EXPECT_EQ(glCallTexts("glTranslatef").size(), 2u);
    EXPECT_EQ(firstMove->numbers[0], static_cast<double>(live[0]->position.x));
}

TEST(ParticleSystem, RecyclePassSkipsTheNeighbourOfARemovedParticle) {
    struct Case {
        const char* what;
        int count;
        std::vector<int> dead;           // 1-based: P1 is the first launched
        std::vector<int> liveAfterPass;  // P numbers, in list order
        std::vector<int> poolAfterPass;  // bottom to top
        std::vector<int> liveAfterSecondPass;
    };
    const Case cases[] = {
        {"P1 P2 dead", 3, {1, 2}, {2, 3}, {1}, {3}},
        {"P1 P3 dead", 4, {1, 3}, {2, 4}, {1, 3}, {2, 4}},
        {"a run of four dead", 5, {1, 2, 3, 4}, {2, 4, 5}, {1, 3}, {4, 5}},
        {"only the last dead", 3, {3}, {1, 2, 3}, {}, {1, 2, 3}},
        {"P2 and the last dead", 4, {2, 4}, {1, 3, 4}, {2}, {1, 3, 4}},
        {"all alive", 4, {}, {1, 2, 3, 4}, {}, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ManualSystem system(c.count);
        const std::vector<Particle*> p = launchAll(system);
        auto particles = [&](const std::vector<int>& numbers) {
            std::vector<Particle*> list;
            for (int n : numbers) list.push_back(p[static_cast<size_t>(n - 1)]);
            return list;
        };
        for (int n : c.dead) p[static_cast<size_t>(n - 1)]->life = 0.0f;
        system.recycleDead();
        EXPECT_EQ(system.live(), particles(c.liveAfterPass));
        EXPECT_EQ(system.pool(), particles(c.poolAfterPass));
        for (Particle* recycled : system.pool()) EXPECT_EQ(recycled->life, 1.0f);
        system.recycleDead();
        EXPECT_EQ(system.live(), particles(c.liveAfterSecondPass));
        EXPECT_EQ(system.live().size() + system.pool().size(), static_cast<size_t>(c.count));
    }
}

TEST(ParticleSystem, TheParticleRecycledLastIsLaunchedFirst) {
    ManualSystem system(4);
    const std::vector<Particle*> p = launchAll(system);
    p[0]->life = 0.0f;
    p[2]->life = 0.0f;
    system.recycleDead();
    system.emitParticle(Vector3(0, 1, 0));
    EXPECT_EQ(system.live().back(), p[2]);
    system.emitParticle(Vector3(0, 1, 0));
    EXPECT_EQ(system.live().back(), p[0]);
}

// Removing dead particles one at a time, stepping on after each removal:
// what a recycling pass must leave behind.
void recycleOneByOne(std::vector<Particle*>& live, std::vector<Particle*>& pool,
                     const std::map<Particle*, bool>& alive) {
    for (int i = 0; i < static_cast<int>(live.size()) - 1; ++i) {
        Particle* p = live[static_cast<size_t>(i)];
        if (!alive.at(p)) {
            live.erase(live.begin() + i);
            pool.push_back(p);
        }
    }
}

// Every field, bit for bit: the recycled particles' fresh random numbers too.
bool sameState(const Particle& a, const Particle& b) {
    const auto same = [](float x, float y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    const auto sameVector = [&](const Vector3& u, const Vector3& v) {
        return same(u.x, v.x) && same(u.y, v.y) && same(u.z, v.z);
    };
    return sameVector(a.velocity, b.velocity) && sameVector(a.position, b.position) &&
           sameVector(a.acceleration, b.acceleration) && same(a.groundLevel, b.groundLevel) &&
           a.bounced == b.bounced && same(a.life, b.life) && same(a.age, b.age);
}

TEST(ParticleSystem, RecyclePassMatchesTheRuleOnManyRandomLists) {
    constexpr int LISTS = 12000;
    std::mt19937 random(20240611u);
    // Lists up to 40 long, and now and then a long one; dead particles from
    // none to all, with runs of neighbours; lives of exactly 0 and below.
    const double deathRates[] = {0.0, 0.1, 0.3, 0.5, 0.7, 0.9, 1.0};
    const float deadLives[] = {0.0f, -0.5f, -9.0f};
    size_t removals = 0;
    for (int list = 0; list < LISTS; ++list) {
        const int liveCount = list % 500 == 0 ? 2000 : static_cast<int>(random() % 41);
        const int alreadyFree = static_cast<int>(random() % 4);
        ManualSystem system(liveCount + alreadyFree);
        for (int i = 0; i < liveCount; ++i) system.emitParticle(Vector3(0, 1, 0));
        std::bernoulli_distribution dies(deathRates[random() % 7]);
        for (Particle* p : system.live()) {
            p->life = dies(random) ? deadLives[random() % 3] : 0.5f + static_cast<float>(random() % 10);
        }

        // The rule as written: index i from 0 while i < count - 1, the count
        // read afresh each time; a dead particle is reset, removed in place
        // and pushed onto the pool, and i moves on either way.
        std::vector<Particle*> live = system.live();
        std::vector<Particle*> pool = system.pool();
        std::map<const Particle*, Particle> expected;
        for (const Particle* p : live) expected.emplace(p, *p);
        resetRandomSource();
        for (int i = 0; i < static_cast<int>(live.size()) - 1; i++) {
            Particle* p = live[static_cast<size_t>(i)];
            if (!expected.at(p).isAlive()) {
                resetParticle(expected.at(p));
                live.erase(live.begin() + i);
                pool.push_back(p);
            }
        }

        resetRandomSource();
        system.recycleDead();
        ASSERT_EQ(system.live(), live) << "list " << list;
        ASSERT_EQ(system.pool(), pool) << "list " << list;
        for (const auto& [particle, state] : expected) {
            ASSERT_TRUE(sameState(*particle, state)) << "list " << list;
        }
        removals += pool.size() - static_cast<size_t>(alreadyFree);
    }
    // The lists did exercise removals, not just all-alive passes.
    EXPECT_GT(removals, static_cast<size_t>(LISTS));
}

TEST(ParticleSystem, LongRandomRunsKeepEveryParticleInExactlyOnePlace) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const int capacity = 150 + 50 * static_cast<int>(seed);
        RandomSystem system(capacity, seed);
        std::set<Particle*> all(system.pool().begin(), system.pool().end());
        std::mt19937 random(seed);
        const float timeSteps[] = {0.5f, 1.0f, 1.0f, 2.0f, 3.5f};
        std::string out;  // the pool runs dry now and then
        size_t mostLive = 0;
        for (int step = 0; step < 2000; ++step) {
            const float dt = timeSteps[random() % 5];
            const float gravity = -0.01f * static_cast<float>(random() % 3);
            if (step % 2 == 0) {
                testing::internal::CaptureStdout();
                system.step(dt, gravity);
                out += testing::internal::GetCapturedStdout();
            } else {
                system.updateAll(dt, gravity);
                std::vector<Particle*> live = system.live();
                std::vector<Particle*> pool = system.pool();
                std::map<Particle*, bool> alive;
                for (Particle* p : live) alive[p] = p->isAlive();
                recycleOneByOne(live, pool, alive);
                system.recycleDead();
                ASSERT_EQ(system.live(), live) << "step " << step;
                ASSERT_EQ(system.pool(), pool) << "step " << step;
                testing::internal::CaptureStdout();
                system.emit();
                out += testing::internal::GetCapturedStdout();
            }
            ASSERT_EQ(system.live().size() + system.pool().size(), static_cast<size_t>(capacity));
            std::set<Particle*> seen(system.live().begin(), system.live().end());
            seen.insert(system.pool().begin(), system.pool().end());
            ASSERT_EQ(seen, all) << "step " << step;
            mostLive = std::max(mostLive, system.live().size());
        }
        // The runs both fill the pool and drain it.
        EXPECT_EQ(mostLive, static_cast<size_t>(capacity));
        EXPECT_NE(out.find(POOL_EMPTY), std::string::npos);
    }
}

}  // namespace
