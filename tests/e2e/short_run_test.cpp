// One short everyday session with the real program: frames, the pour, every
// key, drags with each button and the light menu, then "q". It is the case
// the sanitized build runs end to end, where a report from ASan, LSan or
// UBSan shows as a non-zero status and as text on standard error.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/program_harness.h"

namespace {

using namespace e2e;

constexpr Seconds POUR_TIME(2.0);

// What the sanitizers print; they write nothing else to standard error.
bool hasSanitizerReport(const std::string& errors) {
    return errors.find("Sanitizer") != std::string::npos ||
           errors.find("runtime error") != std::string::npos;
}

TEST(ShortRun, PourKeysDragsAndMenuThenQuitEndWithStatusZeroAndNoReport) {
    XvfbServer server;
    Program program(server);
    ASSERT_TRUE(program.waitForWindow(Seconds(60))) << program.standardError();
    const Screenshot still = program.waitForStill(Seconds(0.5), Seconds(60));

    program.key('a');
    sleepFor(POUR_TIME);
    const Screenshot pouring = program.waitForScreen(
        [&](const Screenshot& shot) { return !(shot == still); }, Seconds(60));
    EXPECT_FALSE(pouring == still) << "no water was drawn";

    program.typeText("fFcCrRhA");
    program.drag(LEFT_BUTTON, 100, 200, 300, 150);
    program.drag(MIDDLE_BUTTON, 300, 150, 120, 260);
    for (int entry = 0; entry < MENU_ENTRIES - 1; ++entry) {
        EXPECT_TRUE(program.chooseMenuEntry(entry, MENU_ENTRIES)) << "entry " << entry;
    }
    program.key('H');
    EXPECT_TRUE(program.waitForOutput(HELP_END, Seconds(60)));

    program.key('q');
    EXPECT_EQ(program.waitForExit(Seconds(60)), 0) << program.standardError();
    EXPECT_FALSE(hasSanitizerReport(program.standardError())) << program.standardError();
}

}  // namespace
