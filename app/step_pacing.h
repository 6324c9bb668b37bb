// When the pour's next step is due: at most MAX_STEPS_PER_SECOND, timed by
// one monotonic clock that tests can replace. No GL here.
#pragma once

#include <chrono>

constexpr int MAX_STEPS_PER_SECOND = 60;

using MonotonicTime = std::chrono::steady_clock::time_point;

// The clock all pacing reads: std::chrono::steady_clock::now unless a test
// puts its own here.
extern MonotonicTime (*monotonicNow)();
// The earliest time of the next step; the clock's epoch until the first step.
extern MonotonicTime nextStepDue;

// Whole milliseconds from `now` until the next step is due, rounded up; 0
// when it is due.
int millisecondsUntilNextStep(MonotonicTime now);
// Records a step taken at `now`: the next is due one step period later.
void noteStepTaken(MonotonicTime now);
