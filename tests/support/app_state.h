// Puts the application's globals back to their start values between tests,
// and the fixture of the unit tests that start from them.
#pragma once

#include <gtest/gtest.h>

class WaterfallSystem;

// Also deletes the system `waterfall` points to: whatever a test stores there
// must come from `new`. The pour's pacing then reads the recorder's fake clock.
void restoreStartState();
// Gives `waterfall` a new system of this capacity (deleting the one before)
// and clears the calls its construction made from the log.
WaterfallSystem& installWaterfall(int capacity);

// Runs start-up as main would, with the program's name as the only argument.
void runStartUp();

// Every test starts from the start state, with an empty call log.
class StartStateTest : public ::testing::Test {
protected:
    void SetUp() override { restoreStartState(); }
};
