// The light menu: its entries, what each choice switches, and that rebuilding
// it leaves exactly one menu, never touching a destroyed one.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "app/light_menu.h"
#include "tests/support/app_state.h"
#include "tests/support/gl_recorder.h"

namespace {

using Entries = std::vector<std::pair<std::string, int>>;
using Calls = std::vector<std::string>;

const std::pair<std::string, int> RED_ON = {"Enable light - Red", 1};
const std::pair<std::string, int> RED_OFF = {"Disable light - Red ", 2};
const std::pair<std::string, int> GREEN_ON = {"Enable light - Green", 3};
const std::pair<std::string, int> GREEN_OFF = {"Disable light - Green", 4};
const std::pair<std::string, int> BLUE_ON = {"Enable light - Blue", 5};
const std::pair<std::string, int> BLUE_OFF = {"Disable light - Blue", 6};
const std::pair<std::string, int> EXIT = {"Exit", 7};

class LightMenuTest : public StartStateTest {
protected:
    void SetUp() override {
        StartStateTest::SetUp();
        buildLightMenu();
    }
    static Entries attachedEntries() {
        const auto attached = glState().attachedMenus.find(GLUT_RIGHT_BUTTON);
        if (attached == glState().attachedMenus.end()) return {};
        return glState().menus[attached->second].entries;
    }
    // Exactly one menu exists, it is the one on the right button, no menu is
    // current, and no call touched a destroyed menu.
    static void expectOneCleanMenu(const std::string& when) {
        const GlState& s = glState();
        ASSERT_EQ(s.menus.size(), 1u) << when;
        ASSERT_EQ(s.attachedMenus.count(GLUT_RIGHT_BUTTON), 1u) << when;
        EXPECT_EQ(s.attachedMenus.at(GLUT_RIGHT_BUTTON), s.menus.begin()->first) << when;
        EXPECT_EQ(lightMenu, s.menus.begin()->first) << when;
        EXPECT_EQ(s.currentMenu, 0) << when;
        EXPECT_TRUE(s.menuFaults.empty()) << when << ": " << s.menuFaults.front();
    }
    static void setLights(bool red, bool green, bool blue) {
        redLightOn = red;
        greenLightOn = green;
        blueLightOn = blue;
        const std::pair<bool, GLenum> lights[] = {
            {red, GL_LIGHT1}, {green, GL_LIGHT2}, {blue, GL_LIGHT3}};
        for (const auto& [on, light] : lights) {
            if (on) glState().enabled.insert(light);
        }
    }
    // The glEnable and glDisable calls recorded from index `from` on.
    static Calls switches(size_t from) {
        Calls out;
        for (size_t i = from; i < glCalls().size(); ++i) {
            const GlCall& call = glCalls()[i];
            if (call.name == "glEnable" || call.name == "glDisable") out.push_back(call.text);
        }
        return out;
    }
    // The lights 1 to 3 that are on agree with the three flags.
    static void expectLightsFollowFlags(const std::string& when) {
        const std::set<GLenum>& on = glState().enabled;
        EXPECT_EQ(on.count(GL_LIGHT1) == 1, redLightOn) << when;
        EXPECT_EQ(on.count(GL_LIGHT2) == 1, greenLightOn) << when;
        EXPECT_EQ(on.count(GL_LIGHT3) == 1, blueLightOn) << when;
    }
};

TEST_F(LightMenuTest, StartMenuOffersToEnableEachLightAndExit) {
    EXPECT_EQ(attachedEntries(), (Entries{RED_ON, GREEN_ON, BLUE_ON, EXIT}));
    expectOneCleanMenu("at start");
    EXPECT_EQ(glState().menus.begin()->second.callback, &menuSelect);
}

struct Choice {
    int value;
    bool redBefore, greenBefore, blueBefore;
    const char* glCall;
    Entries after;
};

TEST_F(LightMenuTest, EachLightChoiceSwitchesItsLightAndRelabelsOnlyItsEntry) {
    const Choice choices[] = {
        {1, false, false, false, "glEnable(GL_LIGHT1)", {RED_OFF, GREEN_ON, BLUE_ON, EXIT}},
        {2, true, false, false, "glDisable(GL_LIGHT1)", {RED_ON, GREEN_ON, BLUE_ON, EXIT}},
        {3, false, false, true, "glEnable(GL_LIGHT2)", {RED_ON, GREEN_OFF, BLUE_OFF, EXIT}},
        {4, true, true, false, "glDisable(GL_LIGHT2)", {RED_OFF, GREEN_ON, BLUE_ON, EXIT}},
        {5, false, true, false, "glEnable(GL_LIGHT3)", {RED_ON, GREEN_OFF, BLUE_OFF, EXIT}},
        {6, true, true, true, "glDisable(GL_LIGHT3)", {RED_OFF, GREEN_OFF, BLUE_ON, EXIT}},
    };
    for (const Choice& c : choices) {
        const std::string name = "value " + std::to_string(c.value);
        restoreStartState();
        setLights(c.redBefore, c.greenBefore, c.blueBefore);
        buildLightMenu();
        const size_t before = glCalls().size();
        chooseMenuEntry(GLUT_RIGHT_BUTTON, c.value);

        EXPECT_EQ(switches(before), Calls{c.glCall}) << name;
        EXPECT_EQ(attachedEntries(), c.after) << name;
        expectLightsFollowFlags(name);
        expectOneCleanMenu(name);
        EXPECT_EQ(glState().redisplayRequests, 0) << name << ": the next frame shows it";
    }
}

TEST_F(LightMenuTest, SequencesOfChoicesKeepLabelsAndLightsInStep) {
    struct Sequence {
        std::vector<int> values;
        Entries after;
    };
    const Sequence sequences[] = {
        {{1, 3, 5}, {RED_OFF, GREEN_OFF, BLUE_OFF, EXIT}},
        {{1, 3, 5, 2, 4, 6}, {RED_ON, GREEN_ON, BLUE_ON, EXIT}},
        {{5, 1, 6}, {RED_OFF, GREEN_ON, BLUE_ON, EXIT}},
        {{3, 3}, {RED_ON, GREEN_OFF, BLUE_ON, EXIT}},  // a value acts whatever the flag held
        {{2, 4, 6}, {RED_ON, GREEN_ON, BLUE_ON, EXIT}},
    };
    for (const Sequence& sequence : sequences) {
        restoreStartState();
        buildLightMenu();
        std::string name = "sequence";
        for (int value : sequence.values) {
            name += " " + std::to_string(value);
            chooseMenuEntry(GLUT_RIGHT_BUTTON, value);
            expectLightsFollowFlags(name);
            expectOneCleanMenu(name);
        }
        EXPECT_EQ(attachedEntries(), sequence.after) << name;
        // The menu owns lights 1 to 3 only.
        for (const GlCall& call : glCalls()) {
            EXPECT_EQ(call.text.find("GL_LIGHT0"), std::string::npos) << call.text;
            EXPECT_EQ(call.text.find("GL_LIGHTING"), std::string::npos) << call.text;
        }
    }
}

TEST_F(LightMenuTest, ManyLightChangesLeaveOneMenuAndNeverTouchADestroyedOne) {
    for (int change = 0; change < 200; ++change) {
        chooseMenuEntry(GLUT_RIGHT_BUTTON, change % 2 == 0 ? MENU_RED_ON : MENU_RED_OFF);
    }
    expectOneCleanMenu("after 200 changes");
    EXPECT_EQ(attachedEntries(), (Entries{RED_ON, GREEN_ON, BLUE_ON, EXIT}));
    // What freeglut made current again after the last callback is no menu,
    // so asking for it reads nothing freed.
    EXPECT_EQ(glutGetMenu(), 0);
    EXPECT_TRUE(glState().menuFaults.empty());
}

TEST_F(LightMenuTest, ExitEndsTheProgramWithStatusZero) {
    EXPECT_EXIT(chooseMenuEntry(GLUT_RIGHT_BUTTON, MENU_EXIT), ::testing::ExitedWithCode(0), "");
}

TEST_F(LightMenuTest, OtherValuesDoNothing) {
    redLightOn = true;
    glEnable(GL_LIGHT1);
    const size_t before = glCalls().size();
    const GlState menusBefore = glState();
    for (int value : {0, -1, MENU_EXIT + 1, 100}) {
        menuSelect(value);
    }
    EXPECT_EQ(glCalls().size(), before) << glCallDump();
    EXPECT_TRUE(redLightOn);
    EXPECT_FALSE(greenLightOn);
    EXPECT_FALSE(blueLightOn);
    EXPECT_EQ(glState().menus.size(), menusBefore.menus.size());
    EXPECT_EQ(attachedEntries(), (Entries{RED_ON, GREEN_ON, BLUE_ON, EXIT}));
}

}  // namespace
