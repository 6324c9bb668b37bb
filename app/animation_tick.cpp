// The animation tick (see animation_tick.h).
#include "app/animation_tick.h"

#include <GL/glut.h>

#include "app/globals.h"
#include "app/step_pacing.h"
#include "particles/waterfall_system.h"

namespace {

constexpr float STEP_TIME = 1.0f;   // time units per step
constexpr float GRAVITY = -0.01f;   // scene units per time unit squared

}  // namespace

void advancePour() {
    waterfall->step(STEP_TIME, GRAVITY);
    glutPostRedisplay();
}

void idle() {
    if (animating != 1) {
        glutIdleFunc(nullptr);  // the animate key puts it back
        return;
    }
    const MonotonicTime now = monotonicNow();
    const int wait = millisecondsUntilNextStep(now);
    if (wait > 0) {
        glutIdleFunc(nullptr);
        glutTimerFunc(static_cast<unsigned int>(wait), resumeIdle, 0);
        return;
    }
    noteStepTaken(now);
    advancePour();
}

void resumeIdle(int /*value*/) {
    glutIdleFunc(idle);
}
