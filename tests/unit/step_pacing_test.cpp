// When the next step of the pour is due.
#include <gtest/gtest.h>

#include <chrono>
#include <utility>

#include "app/step_pacing.h"

namespace {

TEST(StepPacing, TheNextStepIsDueMoreThanASixtiethOfASecondAfterTheLast) {
    const MonotonicTime step = MonotonicTime(std::chrono::hours(2));
    noteStepTaken(step);
    // Nanoseconds after the step, and the whole milliseconds still to wait.
    for (auto [after, wait] : {std::pair{0LL, 17}, {1LL, 17}, {15999999LL, 1}, {16000001LL, 1},
                               {16666666LL, 1}, {16666667LL, 0}, {900000000LL, 0}}) {
        EXPECT_EQ(millisecondsUntilNextStep(step + std::chrono::nanoseconds(after)), wait) << after;
    }
    nextStepDue = MonotonicTime();
    EXPECT_EQ(millisecondsUntilNextStep(step), 0) << "the first step is due at once";
}

}  // namespace
