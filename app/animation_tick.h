// The animation tick: while the pour runs, one step and one frame at a time,
// at most MAX_STEPS_PER_SECOND steps a second; while it stands still, GLUT's
// loop sleeps with no idle callback at all.
#pragma once

// GLUT's idle callback. Takes itself out while the pour is stopped, and
// while the next step is not yet due (a timer puts it back then).
void idle();
// The timer callback that puts `idle` back once the next step is due.
void resumeIdle(int value);
// One step of the pour and a request for the frame that shows it.
void advancePour();
