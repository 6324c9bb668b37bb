// The pour in the real program: after "a" the drops leave the ledge line and
// the sheet of water lengthens frame by frame; a second "a" freezes it; a long
// pour never runs the pool low; a still picture costs no CPU, yet keys, drags
// and menu choices redraw it at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

// Window rows, top-down, for the 400 by 400 window and the start camera: the
// drops leave the line at y = 1.25 near row 67 and land near row 205. No
// drop ever rises above the line, and nothing else in the scene moves.
constexpr int ABOVE_LEDGE_LINE = 58;  // rows above this one never change
constexpr int LANDING_ROW = 190;      // a sheet this long has reached the ground
constexpr Seconds CPU_WINDOW(5.0);     // wall time over which a still program's CPU is read
constexpr double STILL_CORE_SHARE = 0.02;  // the most of a core a still program may use

// Where a screenshot differs from the still scene before the pour. Comparing
// with the scene, not with the sky, holds whatever lights, materials and
// scenery the frame has.
struct Change {
    int pixels = 0;
    int pixelsAboveLedge = 0;
    int lowestRow = -1;  // -1: nothing changed
};

Change changeFrom(const Screenshot& still, const Screenshot& shot) {
    Change change;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (shot.at(x, y) == still.at(x, y)) continue;
            ++change.pixels;
            if (y < ABOVE_LEDGE_LINE) ++change.pixelsAboveLedge;
            change.lowestRow = y;
        }
    }
    return change;
}

// Starts the program and returns the still scene before any pour.
Screenshot stillScene(Program& program) {
    EXPECT_TRUE(program.waitForWindow(Seconds(30))) << program.standardError();
    const Screenshot still = program.waitForStill(Seconds(0.5), Seconds(60));
    EXPECT_EQ(still.width, 400);
    return still;
}

TEST(Water, PoursFromTheLedgeLineGrowingFrameByFrameAndFreezesOnTheSecondA) {
    XvfbServer server;
    Program program(server);
    const Screenshot still = stillScene(program);
    ASSERT_EQ(still.width, 400);

    program.key('a');
    // Every distinct picture until the sheet has reached the ground, and the
    // longest wait for a new one: how slowly this machine draws.
    std::vector<Change> frames;
    Screenshot last = still;
    auto lastNew = std::chrono::steady_clock::now();
    Seconds slowestFrame(0);
    program.waitForScreen(
        [&](const Screenshot& shot) {
            if (shot == last) return false;
            const auto now = std::chrono::steady_clock::now();
            if (!frames.empty()) slowestFrame = std::max<Seconds>(slowestFrame, now - lastNew);
            lastNew = now;
            last = shot;
            frames.push_back(changeFrom(still, shot));
            return frames.back().lowestRow >= LANDING_ROW;
        },
        Seconds(120));
    last.save(program.workDir() + "/pouring.png");
    ASSERT_FALSE(frames.empty()) << "the picture never changed";
    ASSERT_GE(frames.back().lowestRow, LANDING_ROW) << "the water never reached the ground";

    // The first drops are seen at the ledge line, and the sheet then grows
    // downwards: its lower edge moves on from picture to picture.
    EXPECT_LT(frames.front().lowestRow, ABOVE_LEDGE_LINE + 60);
    int lengthenings = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "picture " << i);
        EXPECT_EQ(frames[i].pixelsAboveLedge, 0);
        EXPECT_GT(frames[i].pixels, 0);
        if (i > 0) {
            EXPECT_GE(frames[i].lowestRow, frames[i - 1].lowestRow);
            lengthenings += frames[i].lowestRow > frames[i - 1].lowestRow;
        }
    }
    EXPECT_GE(lengthenings, 3);
    EXPECT_GT(frames.back().pixels, 4 * frames.front().pixels);

    program.key('a');
    // Frames already asked for may still land; after that, nothing moves for
    // many times the longest a frame has taken.
    const Seconds gap = std::max<Seconds>(Seconds(1.5), 3 * slowestFrame);
    const Screenshot frozen = program.waitForStill(gap, Seconds(60) + 4 * gap);
    sleepFor(gap);
    const Screenshot later = program.screenshot();
    frozen.save(program.workDir() + "/frozen.png");
    EXPECT_TRUE(frozen == later) << "the water still moves after the second a";
    EXPECT_GE(changeFrom(still, frozen).lowestRow, LANDING_ROW) << "the frozen water is gone";

    program.key('q');
    EXPECT_EQ(program.waitForExit(Seconds(30)), 0);
}

TEST(Water, ATwentySecondPourNeverRunsThePoolLow) {
    XvfbServer server;
    Program program(server);
    const Screenshot still = stillScene(program);
    ASSERT_EQ(still.width, 400);

    program.key('a');
    sleepFor(Seconds(20));
    const Screenshot pouring = program.screenshot();
    pouring.save(program.workDir() + "/after-20s.png");
    const Change change = changeFrom(still, pouring);
    EXPECT_GE(change.lowestRow, LANDING_ROW);
    EXPECT_EQ(change.pixelsAboveLedge, 0);
    // Still pouring: the picture keeps changing.
    const Screenshot next = program.waitForScreen(
        [&](const Screenshot& shot) { return !(shot == pouring); }, Seconds(30));
    EXPECT_FALSE(next == pouring) << "the pour has stopped";

    program.key('q');
    ASSERT_EQ(program.waitForExit(Seconds(30)), 0);
    const std::string out = program.standardOutput();
    EXPECT_EQ(out.find("DANGER"), std::string::npos) << out;
    EXPECT_EQ(out.find("MAX PARTICLES REACHED"), std::string::npos) << out;
}

// Pixels of `shot` that differ from `before` outside the rectangle `hidden`
// (x, y, width, height in window coordinates).
int changedOutside(const Screenshot& before, const Screenshot& shot, XRectangle hidden) {
    int changed = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const bool inside = x >= hidden.x && x < hidden.x + hidden.width && y >= hidden.y &&
                                y < hidden.y + hidden.height;
            changed += !inside && shot.at(x, y) != before.at(x, y);
        }
    }
    return changed;
}

TEST(Water, AStillPictureCostsNoCpuYetAKeyADragAndAMenuChoiceRedrawIt) {
    XvfbServer server;
    Program program(server);
    const Screenshot still = stillScene(program);
    ASSERT_EQ(still.width, 400);
    EXPECT_LT(program.coreShareOver(CPU_WINDOW), STILL_CORE_SHARE) << "started, never poured";

    program.key('a');
    program.waitForScreen([&](const Screenshot& shot) { return !(shot == still); });
    program.key('a');
    Screenshot shown = program.waitForStill(Seconds(1.5), Seconds(60));
    ASSERT_GT(changeFrom(still, shown).pixels, 0) << "nothing was poured";
    EXPECT_LT(program.coreShareOver(CPU_WINDOW), STILL_CORE_SHARE) << "poured, then stopped";

    // Nothing moves on its own now: each change below comes with the frame
    // that the input itself asks for.
    program.key('f');
    Screenshot next = program.waitForScreen([&](const Screenshot& s) { return !(s == shown); });
    EXPECT_FALSE(next == shown) << "the fog key did not redraw";
    shown = program.waitForStill();
    program.drag(LEFT_BUTTON, 200, 200, 240, 190);
    next = program.waitForScreen([&](const Screenshot& s) { return !(s == shown); });
    EXPECT_FALSE(next == shown) << "the drag did not redraw";
    shown = program.waitForStill();
    // Where the menu lay the window may show a hole until it is redrawn:
    // only the rest counts, and the red light changes the lit rocks there.
    const Window menu = program.pressForMenu();
    ASSERT_NE(menu, 0u);
    XWindowAttributes area;
    ASSERT_TRUE(XGetWindowAttributes(server.display(), menu, &area));
    const XRectangle hidden = {static_cast<short>(area.x), static_cast<short>(area.y),
                               static_cast<unsigned short>(area.width + 2 * area.border_width),
                               static_cast<unsigned short>(area.height + 2 * area.border_width)};
    ASSERT_TRUE(program.releaseOnEntry(menu, RED_ENTRY, MENU_ENTRIES));
    next = program.waitForScreen(
        [&](const Screenshot& s) { return changedOutside(shown, s, hidden) > 100; });
    EXPECT_GT(changedOutside(shown, next, hidden), 100) << "the menu choice did not redraw";

    program.key('q');
    EXPECT_EQ(program.waitForExit(Seconds(30)), 0);
}

}  // namespace
