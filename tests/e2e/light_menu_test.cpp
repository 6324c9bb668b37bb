// The right-button light menu in the real program: what its entries switch,
// "Exit", and that rebuilding it after every change leaves one menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

// Rows and columns of the 400x400 window where the rocks and ledges stand
// (the scene from y = 0 to 1.3 and x = -1.65 to 1.65 at the start eye), and
// where only the ground lies (far below the rocks' feet).
struct Region {
    int left, top, right, bottom;  // right and bottom excluded
};
constexpr Region LIT_SCENERY = {40, 70, 370, 190};
constexpr Region GROUND = {0, 300, 400, 400};

long countLines(const std::vector<std::string>& lines, const std::string& text) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

// Whether any frame draws something while lighting is on.
bool drawsLitGeometry(const std::vector<std::string>& calls) {
    bool lit = false;
    for (const std::string& line : calls) {
        if (line.find("glEnable(cap = GL_LIGHTING)") != std::string::npos) lit = true;
        if (line.find("glDisable(cap = GL_LIGHTING)") != std::string::npos) lit = false;
        if (lit && (line.find("glBegin(") != std::string::npos ||
                    line.find("glDraw") != std::string::npos ||
                    line.find("glCallList") != std::string::npos)) {
            return true;
        }
    }
    return false;
}

int changedPixels(const Screenshot& a, const Screenshot& b, Region r) {
    int changed = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) changed += a.at(x, y) != b.at(x, y);
    return changed;
}

Screenshot blankSky() {
    Screenshot sky;
    sky.width = 400;
    sky.height = 400;
    for (int i = 0; i < sky.width * sky.height; ++i) {
        sky.rgb.insert(sky.rgb.end(), {static_cast<unsigned char>(SKY.r),
                                       static_cast<unsigned char>(SKY.g),
                                       static_cast<unsigned char>(SKY.b)});
    }
    return sky;
}

// The trace's line of the first call to contain `text`, from `from` on, or -1.
long lineOf(const std::vector<std::string>& lines, const std::string& text, long from = 0) {
    for (long i = from; i < static_cast<long>(lines.size()); ++i) {
        if (lines[i].find(text) != std::string::npos) return i;
    }
    return -1;
}

// One traced run: the window before, a look at the open menu, the choice of
// "Enable light - Red", the window after, and the quit key.
struct RedLightRun {
    Screenshot before, open, after;
    std::vector<std::string> calls;
    bool menuBeforeFirstFrame = false;
};

RedLightRun runRedLightChoice() {
    RedLightRun run;
    XvfbServer server;
    Options options;
    options.trace = true;
    Program program(server, options);
    if (!program.waitForWindow(Seconds(30))) {
        ADD_FAILURE() << "no window: " << program.standardError();
        return run;
    }
    // The window is mapped long before start-up ends, so look once the first
    // frame shows: the program's requests reach the X server in order, so a
    // menu made before that frame exists by then. (freeglut may still be
    // tearing down start-up's throwaway menu window: any menu counts.)
    program.waitForScreen([](const Screenshot& s) { return !s.isUniform(); }, Seconds(30));
    run.menuBeforeFirstFrame = !program.menuWindows().empty();
    run.before = program.waitForStill();
    run.before.save(program.workDir() + "/../light-menu-before.png");

    const Window menu = program.pressForMenu();
    if (!menu) {
        ADD_FAILURE() << "the right button opens no menu";
        return run;
    }
    // freeglut paints the menu once the pointer moves over it; until then
    // its window shows black or what lay beneath it.
    program.moveTo(60, 50);
    const auto painted = [](const Screenshot& s) {
        int face = 0;  // the entries' light grey background
        for (int y = 45; y < 95; ++y)
            for (int x = 45; x < 95; ++x) face += s.at(x, y).g > 150 && s.at(x, y).b < 250;
        return face > 500;
    };
    run.open = program.screenArea();
    for (int i = 0; i < 300 && !painted(run.open); ++i) {
        sleepFor(Seconds(0.1));
        program.moveTo(60 + i % 2, 50);  // a busy program may have missed the last move
        run.open = program.screenArea();
    }
    run.open.save(program.workDir() + "/../light-menu-open.png");
    EXPECT_TRUE(painted(run.open)) << "the menu was never painted";
    EXPECT_TRUE(program.releaseOnEntry(menu, RED_ENTRY, MENU_ENTRIES));

    // Keys are handled after the menu callback.
    program.key('h');
    EXPECT_TRUE(program.waitForOutput(HELP_END));
    // The frame drawn with the light on shows as violet on the scenery.
    const bool sceneryInView = changedPixels(run.before, blankSky(), LIT_SCENERY) > 0;
    run.after = sceneryInView ? program.waitForScreen([&](const Screenshot& s) {
        return changedPixels(run.before, s, LIT_SCENERY) > 100;
    }, Seconds(30)) : program.screenshot();
    run.after.save(program.workDir() + "/../light-menu-red.png");
    program.key('q');
    EXPECT_EQ(program.waitForExit(Seconds(30)), 0);
    run.calls = program.traceCalls();
    return run;
}

TEST(LightMenu, RightClickMenuFirstEntryEnablesLightOneForTheNextFrame) {
    const RedLightRun run = runRedLightChoice();
    EXPECT_TRUE(run.menuBeforeFirstFrame);
    ASSERT_FALSE(run.calls.empty()) << "no trace";
    EXPECT_EQ(countLines(run.calls, "glEnable(cap = GL_LIGHT1)"), 1);
    EXPECT_EQ(countLines(run.calls, "GL_LIGHT2)") + countLines(run.calls, "GL_LIGHT3)"), 0)
        << "only the red entry's light is switched";
    EXPECT_EQ(countLines(run.calls, "glDisable(cap = GL_LIGHT0)"), 0);
    // The next frame is drawn with the light on.
    const long enabled = lineOf(run.calls, "glEnable(cap = GL_LIGHT1)");
    EXPECT_GE(lineOf(run.calls, "glXSwapBuffers", enabled), 0);
}

TEST(LightMenu, LightOneChangesTheLitSceneryButNeverTheGround) {
    const RedLightRun run = runRedLightChoice();
    ASSERT_EQ(run.before.width, 400);
    ASSERT_EQ(run.after.width, 400);
    EXPECT_EQ(changedPixels(run.before, run.after, GROUND), 0) << "the ground is never lit";
    if (!drawsLitGeometry(run.calls)) {
        GTEST_SKIP() << "no lit scenery is drawn yet, so there is no colour to change";
    }
    EXPECT_GT(changedPixels(run.before, run.after, LIT_SCENERY), 100)
        << "light 1 adds violet to the rocks and ledges";
}

TEST(LightMenu, ExitEntryEndsTheProgramWithStatusZero) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow()) << program.standardError();
    ASSERT_TRUE(program.chooseMenuEntry(EXIT_ENTRY, MENU_ENTRIES));
    EXPECT_EQ(program.waitForExit(), 0);
}

// freeglut tears a destroyed menu's window down on its next turn round the
// loop, so the count of menu windows settles a moment after a change.
size_t settledMenuCount(const Program& program) {
    const auto end = std::chrono::steady_clock::now() + Seconds(10);
    size_t count = program.menuWindows().size();
    while (count != 1 && std::chrono::steady_clock::now() < end) {
        sleepFor(Seconds(0.05));
        count = program.menuWindows().size();
    }
    return count;
}

TEST(LightMenu, TwoHundredLightChangesLeaveOneMenuAndAResponsiveProgram) {
    XvfbServer server;
    Options options;
    options.trace = true;
    Program program(server, options);
    ASSERT_TRUE(program.waitForWindow(Seconds(30))) << program.standardError();
    ASSERT_EQ(settledMenuCount(program), 1u);
    // The first entry switches the red light on, then off, and so on.
    for (int change = 0; change < 200; ++change) {
        ASSERT_TRUE(program.chooseMenuEntry(RED_ENTRY, MENU_ENTRIES)) << "change " << change;
    }
    // The help key is handled after the last menu callback has returned.
    program.key('h');
    EXPECT_TRUE(program.waitForOutput(HELP_END)) << "the keys still work";
    EXPECT_EQ(settledMenuCount(program), 1u);
    ASSERT_TRUE(program.chooseMenuEntry(EXIT_ENTRY, MENU_ENTRIES)) << "the menu still works";
    EXPECT_EQ(program.waitForExit(Seconds(30)), 0);
    EXPECT_EQ(program.standardError().find("freeglut"), std::string::npos)
        << program.standardError();

    const std::vector<std::string> calls = program.traceCalls();
    ASSERT_FALSE(calls.empty()) << "no trace";
    EXPECT_EQ(countLines(calls, "glEnable(cap = GL_LIGHT1)"), 100);
    EXPECT_EQ(countLines(calls, "glDisable(cap = GL_LIGHT1)"), 100);
}

}  // namespace
