// The drops drawn from one compiled sphere: the same calls as gluSphere for
// every drop once the list is expanded, the list made once and deleted with
// its system, the fallback without a list, the cost of a steady frame in GL
// calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/globals.h"
#include "particles/random_source.h"
#include "particles/waterfall_system.h"
#include "scene/display.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;
using Way = ParticleSystem::SphereSending;

constexpr int STEADY_STEPS = 60;  // the live count has settled by then

Calls withoutMatrixModes(Calls calls) {
    calls.erase(std::remove(calls.begin(), calls.end(), "glMatrixMode(GL_MODELVIEW)"),
                calls.end());
    return calls;
}

// drawAll's calls for a fresh system of `launches` drops after `steps` steps,
// with the drops at `deadAt` killed first.
Calls drawnCalls(Way way, int launches, int steps, const std::vector<size_t>& deadAt) {
    resetGlRecorder();
    resetRandomSource();  // both ways get the same drops
    WaterfallSystem system(1000);
    system.setSphereSending(way);
    for (int i = 0; i < launches; ++i) system.emitParticle(Vector3(0.1f, 1.25f, 0.5f));
    for (int i = 0; i < steps; ++i) system.step(1.0f, -0.01f);
    for (size_t index : deadAt) {
        if (index < system.live().size()) system.live()[index]->life = 0.0f;
    }
    clearGlCalls();
    system.drawAll();
    return executedCalls(glCallTexts());
}

TEST(CompiledDrops, ExecuteTheSameCallsAsASphereForEveryDrop) {
    struct Case {
        const char* what;
        int launches;
        int steps;
        std::vector<size_t> deadAt;
    };
    std::mt19937 random(7u);
    std::vector<size_t> scattered;
    for (int i = 0; i < 40; ++i) scattered.push_back(random() % 900);
    const Case cases[] = {
        {"no drop", 0, 0, {}},
        {"one drop, never drawn", 1, 0, {}},
        {"two drops", 2, 0, {}},
        {"every drawn drop dead", 3, 0, {0, 1}},
        {"the first drops dead", 10, 1, {0, 1, 2, 3}},
        {"a pour of three steps, some dead", 0, 3, scattered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Calls immediate = drawnCalls(Way::Immediate, c.launches, c.steps, c.deadAt);
        const Calls compiled = drawnCalls(Way::CompiledList, c.launches, c.steps, c.deadAt);
        // The compiled drops are culled, from just before the first drop
        // drawn to just after the last; the immediate ones never are.
        const bool anyDrawn = indexOf(immediate, "glMatrixMode(GL_MODELVIEW)") >= 0;
        Calls expected = withoutMatrixModes(immediate);
        if (anyDrawn) {
            expected.insert(expected.begin(), {"glMatrixMode(GL_MODELVIEW)", "glFrontFace(GL_CCW)",
                                               "glCullFace(GL_BACK)", "glEnable(GL_CULL_FACE)"});
            expected.push_back("glDisable(GL_CULL_FACE)");
        }
        EXPECT_EQ(compiled, expected);
        if (anyDrawn) {
            EXPECT_EQ(immediate.front(), "glMatrixMode(GL_MODELVIEW)");
        }
        EXPECT_EQ(indexOf(immediate, "glEnable(GL_CULL_FACE)"), -1);
        EXPECT_EQ(glState().enabled.count(GL_CULL_FACE), 0u);
    }
}

TEST(CompiledDrops, TheListIsMadeOnceAndDeletedWithItsSystem) {
    resetGlRecorder();
    {
        WaterfallSystem unused(1000);
        unused.step(1.0f, -0.01f);
    }
    EXPECT_TRUE(glCallTexts("glDeleteLists").empty()) << "a system that never drew has no list";

    resetGlRecorder();
    {
        WaterfallSystem system(1000);
        system.step(1.0f, -0.01f);
        for (int frame = 0; frame < 3; ++frame) system.drawAll();
        EXPECT_EQ(glCallTexts("glGenLists"), Calls{"glGenLists(1)"});
        EXPECT_EQ(glCallTexts("glNewList"), Calls{"glNewList(1, GL_COMPILE)"});
        EXPECT_EQ(glCallTexts("glCallList").size(), 3u * 299u);
    }
    EXPECT_EQ(glCallTexts("glDeleteLists"), Calls{"glDeleteLists(1, 1)"});
    EXPECT_EQ(glState().deletedLists.count(1), 1u);
}

TEST(CompiledDrops, WithoutAListFromGlEveryDropIsSentImmediatelyAndStillCulled) {
    resetGlRecorder();
    glState().nextList = 0;  // glGenLists answers 0 once
    WaterfallSystem system(1000);
    system.step(1.0f, -0.01f);
    system.drawAll();
    system.drawAll();
    EXPECT_EQ(glCallTexts("glGenLists").size(), 1u) << "a list is asked for once only";
    EXPECT_TRUE(glCallTexts("glNewList").empty());
    EXPECT_TRUE(glCallTexts("glCallList").empty());
    EXPECT_EQ(glCallTexts("gluSphere").size(), 2u * 299u);
    EXPECT_EQ(glState().modelviewDepth, 1);
    // Both frames cull, as a list's would (the bracket's place: above).
    EXPECT_EQ(glCallTexts("glEnable"), Calls(2, "glEnable(GL_CULL_FACE)"));
    EXPECT_EQ(glCallTexts("glDisable"), Calls(2, "glDisable(GL_CULL_FACE)"));
    EXPECT_EQ(glState().enabled.count(GL_CULL_FACE), 0u);
}

TEST(CompiledDrops, ASteadyFrameCostsFourCallsADrop) {
    restoreStartState();
    WaterfallSystem& system = installWaterfall(10000);
    for (int i = 0; i < STEADY_STEPS; ++i) system.step(1.0f, -0.01f);
    display();  // the first frame compiles the sphere
    clearGlCalls();
    display();
    long drawn = 0;
    for (size_t i = 0; i + 1 < system.live().size(); ++i) drawn += system.live()[i]->isAlive();
    ASSERT_GT(drawn, 8000);
    const long calls = static_cast<long>(glCalls().size());
    // Besides the drops: the rocks and the ledges call a list each, two rocks
    // translate once and three ledges twice; the frame, the rocks and the
    // ledges push 2 + 3 + 6 times.
    const struct {
        const char* name;
        long others;
    } perDrop[] = {
        {"glCallList", 6}, {"glTranslatef", 8}, {"glPushMatrix", 11}, {"glPopMatrix", 11}};
    for (const auto& call : perDrop) {
        EXPECT_EQ(static_cast<long>(glCallTexts(call.name).size()), drawn + call.others)
            << call.name;
    }
    EXPECT_TRUE(glCallTexts("gluSphere").empty());
    EXPECT_TRUE(glCallTexts("gluCylinder").empty());
    EXPECT_TRUE(glCallTexts("glVertex2f").empty());
    // The frame's, the lights', one for each ledge and one for all the drops.
    EXPECT_EQ(glCallTexts("glMatrixMode").size(), 6u);
    // The budget: at most five calls a drop and 500 more.
    EXPECT_LE(calls, 5 * drawn + 500) << calls << " calls for " << drawn << " drops";
    restoreStartState();
}

}  // namespace
