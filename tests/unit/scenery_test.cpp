// The ground, the rocks and the ledges as GL calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/globals.h"
#include "scene/circle_outline.h"
#include "scene/ground.h"
#include "scene/ledges.h"
#include "scene/rocks.h"
#include "scene/scenery_lists.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Calls = std::vector<std::string>;

using SceneryTest = StartStateTest;

Calls groundCalls(const char* v1, const char* v2, const char* v3, const char* v4) {
    return {"glEnable(GL_TEXTURE_2D)", "glBindTexture(GL_TEXTURE_2D, 2)", "glBegin(GL_POLYGON)",
            "glColor3f(1, 1, 1)", "glTexCoord2f(0, 1)", v1, "glTexCoord2f(1, 1)", v2,
            "glTexCoord2f(1, 0)", v3, "glTexCoord2f(0, 0)", v4, "glEnd()",
            "glDisable(GL_TEXTURE_2D)"};
}

TEST_F(SceneryTest, GroundIsATrapezoidWhoseWidthFollowsTheWindow) {
    struct Case {
        int width, height;
        Calls calls;
    };
    const Case cases[] = {
        {400, 400, groundCalls("glVertex3f(-6, 0, -2)", "glVertex3f(6, 0, -2)",
                               "glVertex3f(3, 0, 60)", "glVertex3f(-3, 0, 60)")},
        {800, 400, groundCalls("glVertex3f(-12, 0, -2)", "glVertex3f(12, 0, -2)",
                               "glVertex3f(6, 0, 60)", "glVertex3f(-6, 0, 60)")},
        // A floating-point ratio: 300 / 400 is not 0.
        {300, 400, groundCalls("glVertex3f(-4.5, 0, -2)", "glVertex3f(4.5, 0, -2)",
                               "glVertex3f(2.25, 0, 60)", "glVertex3f(-2.25, 0, 60)")},
        // A minimised window's height of 0 counts as 1, as in the projection.
        {400, 0, groundCalls("glVertex3f(-2400, 0, -2)", "glVertex3f(2400, 0, -2)",
                             "glVertex3f(1200, 0, 60)", "glVertex3f(-1200, 0, 60)")},
    };
    for (const Case& c : cases) {
        resetGlRecorder();
        windowWidth = c.width;
        windowHeight = c.height;
        drawGround();
        EXPECT_EQ(glCallTexts(), c.calls) << c.width << "x" << c.height;
        EXPECT_EQ(glState().modelviewDepth, 1);
    }
}

Calls rockCalls() {
    const Calls bracketOpen = {"glEnable(GL_TEXTURE_2D)", "glPushMatrix()",
                               "glBindTexture(GL_TEXTURE_2D, 3)", "glRotatef(-90, 1, 0, 0)"};
    const Calls bracketClose = {"glPopMatrix()", "glDisable(GL_TEXTURE_2D)"};
    const Calls own[] = {
        {"glScalef(1, 1.5, 1)", "gluCylinder(NULL, 0.45, 0.45, 1.3, 15, 15)"},
        {"glTranslatef(0, 0.9, 0)", "gluCylinder(NULL, 0.75, 0.6, 1.3, 15, 15)"},
        {"glTranslatef(0, -0.9, 0)", "gluCylinder(NULL, 0.75, 0.6, 1.3, 15, 15)"},
    };
    Calls expected;
    for (const Calls& rock : own) {
        expected.insert(expected.end(), bracketOpen.begin(), bracketOpen.end());
        expected.insert(expected.end(), rock.begin(), rock.end());
        expected.insert(expected.end(), bracketClose.begin(), bracketClose.end());
    }
    return expected;
}

TEST_F(SceneryTest, RocksAreThreeTexturedCylindersEachInItsOwnBracket) {
    setScenerySending(ScenerySending::Immediate);
    drawRocks();
    EXPECT_EQ(glCallTexts(), rockCalls());
    EXPECT_TRUE(glCallTexts("glGenLists").empty());
    EXPECT_EQ(glState().enabled.count(GL_TEXTURE_2D), 0u);
}

TEST_F(SceneryTest, RockListsAreCompiledOnceAndExecuteTheDirectCalls) {
    const Calls listCalls = {"glCallList(1)", "glCallList(2)", "glCallList(3)"};
    for (int frame = 0; frame < 2; ++frame) {
        clearGlCalls();
        drawRocks();
        EXPECT_EQ(executedCalls(glCallTexts()), rockCalls()) << "frame " << frame;
        EXPECT_EQ(glCallTexts("glNewList").size(), frame == 0 ? 3u : 0u) << "frame " << frame;
        EXPECT_EQ(glCallTexts("glGenLists").size(), frame == 0 ? 3u : 0u) << "frame " << frame;
        EXPECT_EQ(glCallTexts("glCallList"), listCalls) << "frame " << frame;
        EXPECT_EQ(glState().enabled.count(GL_TEXTURE_2D), 0u);
    }
    // Each list holds its cylinder alone: the bracket stays outside.
    EXPECT_EQ(glState().lists.at(2), Calls{"gluCylinder(NULL, 0.75, 0.6, 1.3, 15, 15)"});
    EXPECT_TRUE(glCallTexts("gluCylinder").empty());
}

TEST_F(SceneryTest, WithoutAListFromGlTheScenerySendsItsCallsDirectly) {
    glState().nextList = 0;  // glGenLists answers 0 once
    for (int frame = 0; frame < 2; ++frame) {
        clearGlCalls();
        drawRocks();
        drawLedges();
        EXPECT_EQ(glCallTexts("glGenLists").size(), frame == 0 ? 1u : 0u)
            << "a list is asked for once only";
        EXPECT_TRUE(glCallTexts("glNewList").empty());
        EXPECT_TRUE(glCallTexts("glCallList").empty());
        EXPECT_EQ(glCallTexts("gluCylinder").size(), 3u);
        EXPECT_EQ(glCallTexts("glVertex2f").size(), 3u * 199u);
    }
    const Calls calls = glCallTexts();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + static_cast<long>(rockCalls().size())),
              rockCalls());
}

TEST_F(SceneryTest, RocksUseTheSceneQuadric) {
    sceneQuadric = gluNewQuadric();
    resetGlRecorder();
    drawRocks();
    const std::string name = quadricName(sceneQuadric);
    for (const std::string& call : glCallTexts("gluCylinder")) {
        EXPECT_EQ(call.rfind("gluCylinder(" + name + ",", 0), 0u) << call;
    }
}

TEST_F(SceneryTest, FilledOutlineSendsEveryPointButTheLast) {
    drawFilledOutline(circleOutline(0.6f, {0.0f, 1.3f}));
    const Calls calls = glCallTexts();
    const Calls head = {"glEnable(GL_TEXTURE_2D)", "glPushMatrix()",
                        "glBindTexture(GL_TEXTURE_2D, 3)", "glMatrixMode(GL_MODELVIEW)",
                        "glBegin(GL_TRIANGLE_FAN)", "glVertex2f(0.6, 1.3)"};
    ASSERT_GT(calls.size(), head.size());
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6), head);
    EXPECT_EQ(glCallTexts("glVertex2f").size(), 199u);
    // No normal and no texture coordinate: the fan takes GL's current ones.
    EXPECT_TRUE(glCallTexts("glNormal3f").empty());
    EXPECT_TRUE(glCallTexts("glTexCoord2f").empty());
    const Calls tail = {"glEnd()", "glDisable(GL_TEXTURE_2D)", "glPopMatrix()"};
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()), tail);
    EXPECT_EQ(glState().modelviewDepth, 1);
}

TEST_F(SceneryTest, OutlinesOfZeroOrOnePointDrawAnEmptyFan) {
    const std::vector<std::vector<Point2>> outlines = {{}, {{0.5f, 0.5f}}};
    for (const std::vector<Point2>& outline : outlines) {
        resetGlRecorder();
        drawFilledOutline(outline);
        EXPECT_EQ(glCallTexts(),
                  (Calls{"glEnable(GL_TEXTURE_2D)", "glPushMatrix()",
                         "glBindTexture(GL_TEXTURE_2D, 3)", "glMatrixMode(GL_MODELVIEW)",
                         "glBegin(GL_TRIANGLE_FAN)", "glEnd()", "glDisable(GL_TEXTURE_2D)",
                         "glPopMatrix()"}))
            << outline.size() << " points";
    }
}

// What GL executes for drawLedges, checked against the direct fans' layout.
void expectLedgeCalls(const Calls& calls) {
    const char* const centres[] = {"-0.3", "0.3", "0"};
    const char* const firstPoints[] = {"glVertex2f(0.3, 1.3)", "glVertex2f(0.9, 1.3)",
                                       "glVertex2f(0.6, 1.3)"};
    size_t at = 0;
    for (int ledge = 0; ledge < 3; ++ledge) {
        const std::string x = centres[ledge];
        const Calls frame = {"glPushMatrix()", "glTranslatef(" + x + ", 1.3, 0)",
                             "glRotatef(-90, 1, 0, 0)", "glTranslatef(" + x + ", -1.3, 0)"};
        ASSERT_LE(at + frame.size(), calls.size());
        EXPECT_EQ(Calls(calls.begin() + static_cast<long>(at),
                        calls.begin() + static_cast<long>(at + frame.size())),
                  frame)
            << "ledge " << ledge;
        at += frame.size();
        // The outline's own bracket: 4 calls, the fan of 199 points, 3 calls.
        ASSERT_LT(at + 5, calls.size());
        EXPECT_EQ(calls[at + 4], "glBegin(GL_TRIANGLE_FAN)");
        EXPECT_EQ(calls[at + 5], firstPoints[ledge]) << "ledge " << ledge;
        at += 4 + 1 + 199 + 1 + 2;
        ASSERT_LT(at, calls.size());
        EXPECT_EQ(calls[at], "glPopMatrix()") << "ledge " << ledge;
        ++at;
    }
    EXPECT_EQ(at, calls.size());
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& c) { return c.rfind("glVertex2f(", 0) == 0; }),
              3 * 199);
}

TEST_F(SceneryTest, LedgesAreThreeDiscsMovedOutToTheRockTops) {
    setScenerySending(ScenerySending::Immediate);
    drawLedges();
    expectLedgeCalls(glCallTexts());
    EXPECT_TRUE(glCallTexts("glGenLists").empty());
    EXPECT_EQ(glState().modelviewDepth, 1);
    EXPECT_EQ(glState().enabled.count(GL_TEXTURE_2D), 0u);
}

TEST_F(SceneryTest, LedgeListsAreCompiledOnceAndExecuteTheDirectCalls) {
    setScenerySending(ScenerySending::Immediate);
    drawLedges();
    const Calls direct = glCallTexts();
    setScenerySending(ScenerySending::CompiledLists);
    for (int frame = 0; frame < 2; ++frame) {
        clearGlCalls();
        drawLedges();
        SCOPED_TRACE("frame " + std::to_string(frame));
        EXPECT_EQ(executedCalls(glCallTexts()), direct);
        EXPECT_EQ(glCallTexts("glNewList").size(), frame == 0 ? 3u : 0u);
        EXPECT_EQ(glCallTexts("glCallList"),
                  (Calls{"glCallList(1)", "glCallList(2)", "glCallList(3)"}));
        // Only compiling sends the points; a steady frame calls the lists.
        EXPECT_EQ(glCallTexts("glVertex2f").size(), frame == 0 ? 3u * 199u : 0u);
        EXPECT_EQ(glState().modelviewDepth, 1);
        EXPECT_EQ(glState().enabled.count(GL_TEXTURE_2D), 0u);
    }
    // A list holds the bare fan: no normal, no texture coordinate, no bracket.
    const Calls& fan = glState().lists.at(3);
    ASSERT_EQ(fan.size(), 201u);
    EXPECT_EQ(fan.front(), "glBegin(GL_TRIANGLE_FAN)");
    EXPECT_EQ(fan[1], "glVertex2f(0.6, 1.3)");
    EXPECT_EQ(fan.back(), "glEnd()");
}

}  // namespace
