// When the pour's next step is due (see step_pacing.h).
#include "app/step_pacing.h"

namespace {

// Rounded up, so that no 60 periods fit into one second: a step and the 60th
// after it always lie more than a second apart.
constexpr std::chrono::nanoseconds STEP_PERIOD{
    (1000000000 + MAX_STEPS_PER_SECOND - 1) / MAX_STEPS_PER_SECOND};

}  // namespace

MonotonicTime (*monotonicNow)() = std::chrono::steady_clock::now;
MonotonicTime nextStepDue;

int millisecondsUntilNextStep(MonotonicTime now) {
    if (now >= nextStepDue) {
        return 0;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextStepDue - now);
    return static_cast<int>(wait.count());
}

void noteStepTaken(MonotonicTime now) {
    nextStepDue = now + STEP_PERIOD;
}
