// A user who does everything at once: in one run of the real program,
// thousands of random keys (in the key table and outside it, with and
// without Shift), hundreds of left, middle and right drags, a hundred menu
// choices and resizes down to 1 x 1 pixel and back, all in a fixed random
// order. The program keeps answering "h" throughout, prints nothing but the
// loader lines and the help text, and ends with status 0 on "q".
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

constexpr unsigned STORM_SEED = 7;
constexpr int KEY_BURSTS = 100;
constexpr int KEYS_PER_BURST = 30;     // so 3,000 keys
constexpr int DRAGS_PER_BUTTON = 100;  // left and middle
constexpr int RIGHT_DRAGS = 50;        // each opens the menu, which waits for a frame
constexpr int MENU_CHOICES = 100;
constexpr int RESIZES = 10;
constexpr int CHECK_EVERY = 40;        // actions between two "h" round trips

enum class Action { KeyBurst, LeftDrag, MiddleDrag, RightDrag, MenuChoice, Resize };

struct StormKey {
    KeySym sym;
    bool printsHelp;
};

// Every key but the quit key: letters (the key table's among them), digits,
// punctuation, editing keys and keys GLUT reports only to a special-key
// callback, which the program does not have.
std::vector<StormKey> stormKeys() {
    std::vector<StormKey> keys;
    for (KeySym sym = XK_a; sym <= XK_z; ++sym) {
        if (sym != XK_q) keys.push_back({sym, sym == XK_h});
    }
    for (KeySym sym = XK_0; sym <= XK_9; ++sym) keys.push_back({sym, false});
    for (KeySym sym : {XK_space, XK_comma, XK_period, XK_minus, XK_equal, XK_slash, XK_semicolon,
                       XK_apostrophe, XK_bracketleft, XK_bracketright, XK_backslash, XK_grave,
                       XK_Escape, XK_Return, XK_Tab, XK_BackSpace, XK_Delete, XK_F1, XK_F5,
                       XK_F12, XK_Left, XK_Right, XK_Up, XK_Down, XK_Home, XK_End, XK_Page_Up,
                       XK_Insert}) {
        keys.push_back({sym, false});
    }
    return keys;
}

std::vector<Action> stormPlan(std::mt19937& random) {
    std::vector<Action> plan;
    plan.insert(plan.end(), KEY_BURSTS, Action::KeyBurst);
    plan.insert(plan.end(), DRAGS_PER_BUTTON, Action::LeftDrag);
    plan.insert(plan.end(), DRAGS_PER_BUTTON, Action::MiddleDrag);
    plan.insert(plan.end(), RIGHT_DRAGS, Action::RightDrag);
    plan.insert(plan.end(), MENU_CHOICES, Action::MenuChoice);
    plan.insert(plan.end(), RESIZES, Action::Resize);
    std::shuffle(plan.begin(), plan.end(), random);
    return plan;
}

class Storm {
public:
    // helpsSoFar: the help texts the program has printed before the storm.
    Storm(Program& program, std::mt19937& random, int helpsSoFar)
        : program_(program), random_(random), keys_(stormKeys()), helps_(helpsSoFar) {}

    void keyBurst(int count) {
        for (int i = 0; i < count; ++i) {
            const StormKey& key = keys_[pick(0, static_cast<int>(keys_.size()) - 1)];
            program_.keySym(key.sym, pick(0, 1) == 1);
            helps_ += key.printsHelp;
        }
    }

    void drag(int button) {
        const int x0 = pick(10, WINDOW_SIDE - 10), y0 = pick(10, WINDOW_SIDE - 10);
        program_.moveTo(x0, y0);
        program_.press(button);
        for (int step = 0; step < 3; ++step) {
            sleepFor(Seconds(0.005));
            program_.moveTo(pick(0, WINDOW_SIDE), pick(0, WINDOW_SIDE));
        }
        program_.release(button);
    }

    // The right button opens the menu where it is pressed, reaching right
    // and down; letting go above and to the left of that chooses nothing.
    // freeglut then keeps the menu open until the next click outside it.
    bool rightDrag() {
        const int x0 = pick(120, WINDOW_SIDE - 10), y0 = pick(120, WINDOW_SIDE - 10);
        if (!program_.pressForMenu(x0, y0)) return false;
        const int x1 = x0 - pick(30, 110), y1 = y0 - pick(30, 110);
        program_.moveTo(x1, y1);
        program_.release(RIGHT_BUTTON);
        program_.press(LEFT_BUTTON);
        program_.release(LEFT_BUTTON);
        for (int wait = 0; wait < 1000 && program_.openMenu(); ++wait) sleepFor(Seconds(0.01));
        return program_.openMenu() == 0;
    }

    bool menuChoice() {
        return program_.chooseMenuEntry(pick(0, MENU_ENTRIES - 2), MENU_ENTRIES,
                                        pick(10, WINDOW_SIDE / 2), pick(10, WINDOW_SIDE / 2));
    }

    // Down to a single pixel, keys while it is that small, a random size,
    // and back to the start size.
    void resize() {
        program_.resize(1, 1);
        sleepFor(Seconds(0.1));
        keyBurst(10);
        program_.resize(pick(1, 300), pick(1, 300));
        sleepFor(Seconds(0.1));
        program_.resize(1, 1);
        sleepFor(Seconds(0.1));
        program_.resize(WINDOW_SIDE, WINDOW_SIDE);
        sleepFor(Seconds(0.1));
    }

    // One "h" and its answer: every help asked for so far has been printed.
    bool roundTrip(const std::string& loaderLines, const std::string& help) {
        program_.key('h');
        ++helps_;
        std::string expected = loaderLines;
        for (int i = 0; i < helps_; ++i) expected += help;
        for (int wait = 0; wait < 600; ++wait) {
            if (program_.standardOutput().size() >= expected.size()) break;
            sleepFor(Seconds(0.1));
        }
        return program_.standardOutput() == expected;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    Program& program_;
    std::mt19937& random_;
    std::vector<StormKey> keys_;
    int helps_;
};

TEST(InputStorm, EverythingAtOnceLeavesAResponsiveProgramThatQuitsWithStatusZero) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow(Seconds(30))) << program.standardError();
    for (const StormKey& key : stormKeys()) {
        ASSERT_NE(XKeysymToKeycode(server.display(), key.sym), 0) << XKeysymToString(key.sym);
    }
    // The loader lines, then one help text: what every later "h" must add.
    program.key('h');
    ASSERT_TRUE(program.waitForOutput(HELP_END, Seconds(60)));
    const std::string first = program.standardOutput();
    const size_t helpStart = first.find('\n', first.rfind("trying to load ")) + 1;
    const std::string loaderLines = first.substr(0, helpStart);
    const std::string help = first.substr(helpStart);
    ASSERT_NE(help.find("WATERFALL"), std::string::npos) << first;

    std::mt19937 random(STORM_SEED);
    Storm storm(program, random, 1);
    const std::vector<Action> plan = stormPlan(random);
    int failedMenus = 0;
    for (size_t i = 0; i < plan.size(); ++i) {
        switch (plan[i]) {
        case Action::KeyBurst: storm.keyBurst(KEYS_PER_BURST); break;
        case Action::LeftDrag: storm.drag(LEFT_BUTTON); break;
        case Action::MiddleDrag: storm.drag(MIDDLE_BUTTON); break;
        case Action::RightDrag: failedMenus += !storm.rightDrag(); break;
        case Action::MenuChoice: failedMenus += !storm.menuChoice(); break;
        case Action::Resize: storm.resize(); break;
        }
        ASSERT_TRUE(program.running()) << "the program ended during action " << i << ", status "
                                       << program.waitForExit(Seconds(1));
        if ((i + 1) % CHECK_EVERY == 0) {
            ASSERT_TRUE(storm.roundTrip(loaderLines, help))
                << "after action " << i << ": " << program.standardOutput().size() << " bytes";
        }
    }
    EXPECT_EQ(failedMenus, 0) << "menus that did not open or close";
    ASSERT_TRUE(storm.roundTrip(loaderLines, help)) << "the program stopped answering";
    EXPECT_EQ(program.windowSize(), std::make_pair(WINDOW_SIDE, WINDOW_SIDE));

    program.key('q');
    EXPECT_EQ(program.waitForExit(Seconds(60)), 0) << program.standardError();
    EXPECT_EQ(program.standardError(), "");
}

}  // namespace
