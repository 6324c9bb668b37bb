// The end-to-end cases that apply to the Windows program too (see windows_cases.h).
#include "tests/e2e/windows_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/support/program_harness.h"

namespace e2e {

namespace {

// The window, the pour, help, both ways out, two picture failures and two
// broken sounds. The other picture rows mean something else to Windows'
// file calls, and Windows plays the sound without SDL.
const std::vector<std::string> WINDOWS_CASES = {
    "Window.OpensAt400By400WithTheSkyBehindTheScene",
    "Window.HelpKeyPrintsTheHelpTextByteForByte",
    "Window.BothQuitKeysEndWithStatusZero",
    "Water.PoursFromTheLedgeLineGrowingFrameByFrameAndFreezesOnTheSecondA",
    "LightMenu.ExitEntryEndsTheProgramWithStatusZero",
    "Pictures.AFailedLoadPrintsTheLoaderLinesInOrderAndEndsWithStatusOne/ground missing",
    "Pictures.AFailedLoadPrintsTheLoaderLinesInOrderAndEndsWithStatusOne/ground is 32-bit",
    "Sound.ABrokenOrMissingSoundOrNoDeviceChangesNothingElse/missing",
    "Sound.ABrokenOrMissingSoundOrNoDeviceChangesNothingElse/not a wave",
};

std::string runningTest() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return std::string(test->test_suite_name()) + "." + test->name();
}

bool listedWithRows(const std::string& test) {
    return std::any_of(WINDOWS_CASES.begin(), WINDOWS_CASES.end(), [&](const std::string& c) {
        return c == test || c.rfind(test + "/", 0) == 0;
    });
}

// The rows of the running test's table that rowApplies was asked about.
std::set<std::string> rowsSeen;

// A skip recorded as the test starts keeps gtest from running its body. A
// listed row the test never asked about (a label since changed) fails it.
class SkipUnlistedOnWindows : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override {
        rowsSeen.clear();
        if (!windowsProgram() || listedWithRows(runningTest())) return;
        GTEST_SKIP() << "not a case for the Windows program";
    }
    void OnTestEnd(const testing::TestInfo& test) override {
        if (test.result()->Skipped()) return;
        const std::string prefix = runningTest() + "/";
        for (const std::string& c : WINDOWS_CASES) {
            if (c.rfind(prefix, 0) == 0 && !rowsSeen.count(c)) {
                ADD_FAILURE() << "the Windows case list names a row this test has not: " << c;
            }
        }
    }
};

const bool skipping = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new SkipUnlistedOnWindows);
    return true;
}();

}  // namespace

const std::vector<std::string>& windowsCases() { return WINDOWS_CASES; }

bool rowApplies(const std::string& label) {
    const std::string row = runningTest() + "/" + label;
    rowsSeen.insert(row);
    if (!windowsProgram()) return true;
    return std::find(WINDOWS_CASES.begin(), WINDOWS_CASES.end(), row) != WINDOWS_CASES.end();
}

}  // namespace e2e
