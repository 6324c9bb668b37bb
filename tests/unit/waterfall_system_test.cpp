// The waterfall: its quadric, the launch line, the low-pool admission with its
// messages, the real configuration over 500 steps, and what drawAll issues.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "particles/waterfall_system.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

const std::string POOL_EMPTY = "MAX PARTICLES REACHED CANNOT CREATE NEW";

std::string lowPool(int available) {
    return "\n\n\n\n***************DANGER " + std::to_string(available) + "***************";
}

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST(WaterfallSystem, ConstructionFillsThePoolAndSetsUpItsOwnQuadric) {
    resetGlRecorder();
    WaterfallSystem system(10000);
    EXPECT_EQ(system.pool().size(), 10000u);
    EXPECT_TRUE(system.live().empty());
    EXPECT_EQ(system.emitter().x, 0.0f);
    EXPECT_EQ(system.emitter().y, 0.0f);
    EXPECT_EQ(system.emitter().z, 0.0f);
    ASSERT_NE(system.quadric(), nullptr);
    const std::string q = quadricName(system.quadric());
    EXPECT_EQ(glCallTexts(), (Calls{"gluNewQuadric()", "gluQuadricDrawStyle(" + q + ", GLU_FILL)",
                                    "gluQuadricNormals(" + q + ", GLU_SMOOTH)",
                                    "gluQuadricTexture(" + q + ", GL_TRUE)"}));
    // A particle made on request is a fresh one, outside the pool.
    const std::unique_ptr<Particle> extra = system.createParticle();
    EXPECT_TRUE(extra->isAlive());
    EXPECT_EQ(std::set<Particle*>(system.pool().begin(), system.pool().end()).count(extra.get()),
              0u);
    EXPECT_EQ(system.pool().size(), 10000u);
}

TEST(WaterfallSystem, FirstStepLaunchesTwoSheetsFromTheLedgeLine) {
    WaterfallSystem system(10000);
    testing::internal::CaptureStdout();
    system.step(1.0f, -0.01f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    const std::vector<Particle*>& live = system.live();
    ASSERT_EQ(live.size(), 300u);
    EXPECT_EQ(system.pool().size(), 9700u);
    EXPECT_EQ(live[0]->position.x, -0.4f);
    EXPECT_FLOAT_EQ(live[149]->position.x, 0.4940006f);
    for (size_t i = 0; i < 150; ++i) {
        SCOPED_TRACE(i);
        if (i > 0) {
            EXPECT_NEAR(live[i]->position.x - live[i - 1]->position.x, 0.006, 1e-6);
        }
        // Both passes launch from the same 150 points, as different drops.
        EXPECT_EQ(live[i + 150]->position.x, live[i]->position.x);
        EXPECT_NE(live[i + 150], live[i]);
        for (size_t j : {i, i + 150}) {
            EXPECT_EQ(live[j]->position.z, 0.5f);
            EXPECT_GE(live[j]->position.y, 1.25f);
            EXPECT_LE(live[j]->position.y, 1.26f);
            EXPECT_EQ(live[j]->life, 1.0f);
        }
    }
    // One spacing beyond the last launch point.
    EXPECT_FLOAT_EQ(system.emitter().x, 0.5000006f);
    EXPECT_EQ(system.emitter().y, 1.25f);
    EXPECT_EQ(system.emitter().z, 0.5f);
}

TEST(WaterfallSystem, AStepIsAdmittedWithMoreThan150FreeParticles) {
    struct Case {
        int free;
        std::string output;  // exact bytes
        size_t launched;
    };
    const Case cases[] = {
        {0, lowPool(0), 0},
        {1, lowPool(1), 0},
        {150, lowPool(150), 0},
        // Admitted though the second pass runs the pool dry.
        {151, repeated(POOL_EMPTY, 149), 151},
        {299, POOL_EMPTY, 299},
        {300, "", 300},
        {301, "", 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.free << " free");
        WaterfallSystem system(c.free);
        testing::internal::CaptureStdout();
        system.emit();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
        EXPECT_EQ(system.live().size(), c.launched);
        EXPECT_EQ(system.pool().size(), static_cast<size_t>(c.free) - c.launched);
        if (c.launched == 0) {
            // Only the line's start is set; z keeps its value.
            EXPECT_EQ(system.emitter().x, -0.4f);
            EXPECT_EQ(system.emitter().y, 1.25f);
            EXPECT_EQ(system.emitter().z, 0.0f);
        }
    }
}

TEST(WaterfallSystem, RealConfigurationSettlesWithoutAMessage) {
    WaterfallSystem system(10000);
    testing::internal::CaptureStdout();
    std::vector<int> liveCounts;
    std::vector<int> poolSizes;
    for (int step = 0; step < 500; ++step) {
        system.step(1.0f, -0.01f);
        liveCounts.push_back(static_cast<int>(system.live().size()));
        poolSizes.push_back(static_cast<int>(system.pool().size()));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    for (size_t i = 0; i < liveCounts.size(); ++i) {
        ASSERT_EQ(liveCounts[i] + poolSizes[i], 10000) << "step " << i + 1;
    }
    // 300 more a step until the first drops die, about 26 steps after launch.
    size_t firstDeaths = 0;
    while (firstDeaths < liveCounts.size() &&
           liveCounts[firstDeaths] == 300 * static_cast<int>(firstDeaths + 1)) {
        ++firstDeaths;
    }
    EXPECT_GE(firstDeaths, 25u);
    EXPECT_LE(firstDeaths, 28u);
    // Within a few steps the count reaches the band, and never leaves it.
    const size_t settled = firstDeaths + 2;
    for (size_t i = settled; i < liveCounts.size(); ++i) {
        EXPECT_GE(liveCounts[i], 8100) << "step " << i + 1;
        EXPECT_LE(liveCounts[i], 8400) << "step " << i + 1;
    }
    for (size_t i = firstDeaths; i < settled; ++i) {
        EXPECT_LE(liveCounts[i], 8400) << "step " << i + 1;
    }
}

TEST(WaterfallSystem, DrawAllDrawsEachLiveDropButTheLastWithItsQuadric) {
    using Way = ParticleSystem::SphereSending;
    for (const Way way : {Way::CompiledList, Way::Immediate}) {
        SCOPED_TRACE(way == Way::Immediate ? "immediate" : "compiled list");
        resetGlRecorder();
        WaterfallSystem system(1000);
        system.setSphereSending(way);
        system.step(1.0f, -0.01f);
        system.step(1.0f, -0.01f);
        const std::vector<Particle*>& live = system.live();
        ASSERT_EQ(live.size(), 600u);
        live[10]->life = 0.0f;  // dead but not yet recycled
        clearGlCalls();
        system.drawAll();
        const std::string sphere = "gluSphere(" + quadricName(system.quadric()) + ", 0.02, 12, 12)";
        if (way == Way::Immediate) {
            EXPECT_EQ(glCallTexts("gluSphere"), Calls(598, sphere));
            EXPECT_EQ(glCallTexts("glMatrixMode").size(), 598u);
        } else {
            // The sphere is made once, into a list that every drop calls.
            EXPECT_EQ(glCallTexts("gluSphere"), Calls{sphere});
            EXPECT_EQ(glState().lists.at(1), Calls{sphere});
            EXPECT_EQ(glCallTexts("glCallList"), Calls(598, "glCallList(1)"));
            EXPECT_EQ(glCallTexts("glMatrixMode"), Calls{"glMatrixMode(GL_MODELVIEW)"});
        }
        std::vector<const GlCall*> moves;
        for (const GlCall& call : glCalls()) {
            if (call.name == "glTranslatef") moves.push_back(&call);
        }
        ASSERT_EQ(moves.size(), 598u);
        size_t drawn = 0;
        for (size_t i = 0; i + 1 < live.size(); ++i) {
            if (i == 10) continue;
            EXPECT_EQ(moves[drawn]->numbers,
                      (std::vector<double>{live[i]->position.x, live[i]->position.y,
                                           live[i]->position.z}))
                << "live particle " << i;
            ++drawn;
        }
        // Every sphere in its own push and pop, in model-view mode.
        EXPECT_EQ(glCallTexts("glPushMatrix").size(), 598u);
        EXPECT_EQ(glCallTexts("glPopMatrix").size(), 598u);
        EXPECT_EQ(glState().modelviewDepth, 1);
        EXPECT_EQ(glState().matrixMode, static_cast<GLenum>(GL_MODELVIEW));
    }
}

}  // namespace
