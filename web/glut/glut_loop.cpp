// GLUT's loop in the browser: the display callback at the browser's next
// animation frame (at most one pending), one idle chain of zero-delay
// timeouts that waits for a pending frame (one idle call a frame on a slow
// machine, none at all while no idle callback is set), the timers, the queue
// of the program's callbacks, the main loop and exit().
#include <GL/glut.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <deque>
#include <set>
#include <utility>

#include "web/gl/gl_layer.h"
#include "web/glut/glut_internal.h"

namespace glut {

ProgramCallbacks program;
bool ended = false;

namespace {

std::deque<std::function<void()>> queued;
long drainTimeout = 0;     // the timeout that runs `queued`, 0 when none
bool framePending = false;
long frameRequest = 0;
bool reshapePending = false;
long idleTimeout = 0;      // the chain's one pending step, 0 when none
bool idleAfterFrame = false;
std::set<long> timerTimeouts;

struct Timer {
    void (*func)(int);
    int value;
    long id;
};

void drainQueue(void*) {
    drainTimeout = 0;
    // A call may queue more, or end the program (and never come back).
    while (!queued.empty() && !ended) {
        std::function<void()> call = std::move(queued.front());
        queued.pop_front();
        call();
    }
}

EM_BOOL drawFrame(double, void*) {
    framePending = false;
    frameRequest = 0;
    if (ended) return EM_FALSE;
    if (!graphicsLost) {
        if (reshapePending && program.reshape) program.reshape(windowWidth, windowHeight);
        reshapePending = false;
        if (program.display) program.display();
    }
    if (idleAfterFrame) {
        idleAfterFrame = false;
        resumeIdle();
    }
    return EM_FALSE;
}

void runIdle(void*) {
    idleTimeout = 0;
    if (!program.idle || ended) return;
    if (framePending) {
        idleAfterFrame = true;
        return;
    }
    program.idle();
    resumeIdle();
}

void runTimer(void* data) {
    Timer* timer = static_cast<Timer*>(data);
    timerTimeouts.erase(timer->id);
    void (*func)(int) = timer->func;
    const int value = timer->value;
    delete timer;
    if (!ended) func(value);
}

// Nothing of GLUT's runs once the program has ended.
void stopLoop() {
    ended = true;
    if (drainTimeout) emscripten_clear_timeout(drainTimeout);
    if (idleTimeout) emscripten_clear_timeout(idleTimeout);
    if (frameRequest) emscripten_cancel_animation_frame(frameRequest);
    for (long id : timerTimeouts) emscripten_clear_timeout(id);
    timerTimeouts.clear();  // their Timer records go with the page
    queued.clear();
}

}  // namespace

void later(std::function<void()> call) {
    if (ended) return;
    queued.push_back(std::move(call));
    if (!drainTimeout) drainTimeout = emscripten_set_timeout(drainQueue, 0, nullptr);
}

void resumeIdle() {
    if (!program.idle || idleTimeout || ended) return;
    if (framePending) {
        idleAfterFrame = true;
        return;
    }
    idleAfterFrame = false;
    idleTimeout = emscripten_set_timeout(runIdle, 0, nullptr);
}

void resizeWindow(int width, int height) {
    if (width == windowWidth && height == windowHeight) return;
    windowWidth = width;
    windowHeight = height;
    emscripten_set_canvas_element_size(CANVAS, width, height);
    reshapePending = true;
    glutPostRedisplay();
}

}  // namespace glut

using namespace glut;

void glutDisplayFunc(void (*func)()) { program.display = func; }
void glutReshapeFunc(void (*func)(int, int)) { program.reshape = func; }
void glutKeyboardFunc(void (*func)(unsigned char, int, int)) { program.keyboard = func; }
void glutMouseFunc(void (*func)(int, int, int, int)) { program.mouse = func; }
void glutMotionFunc(void (*func)(int, int)) { program.motion = func; }

void glutIdleFunc(void (*func)()) {
    program.idle = func;
    if (!func) {
        if (idleTimeout) emscripten_clear_timeout(idleTimeout);
        idleTimeout = 0;
        idleAfterFrame = false;
        return;
    }
    if (!idleAfterFrame) resumeIdle();
}

void glutTimerFunc(unsigned int msec, void (*func)(int), int value) {
    if (ended || !func) return;
    Timer* timer = new Timer{func, value, 0};
    timer->id = emscripten_set_timeout(runTimer, msec, timer);
    timerTimeouts.insert(timer->id);
}

void glutPostRedisplay() {
    if (framePending || ended || !program.display) return;
    framePending = true;
    frameRequest = emscripten_request_animation_frame(drawFrame, nullptr);
}

void glutSwapBuffers() {
    // The browser shows the frame when the animation frame's task ends.
    gl_layer::flush();
}

void glutMainLoop() {
    if (program.reshape) program.reshape(windowWidth, windowHeight);
    glutPostRedisplay();
    // The program lives on in its callbacks until exit().
    emscripten_exit_with_live_runtime();
}

// Every exit() of the program's (the build wraps the symbol): GLUT stops,
// the menu, the listeners and the sound go, and the runtime really ends,
// though the main loop keeps it alive. The page hears of it from
// Module.onExit.
extern "C" void __wrap_exit(int status) {
    if (!ended) {
        std::fflush(stdout);
        stopLoop();
        endMenus();
        stopInput();
        endPage();
    }
    emscripten_force_exit(status);
}
