// The recording stand-in's GLUT calls and a model of GLUT's runtime as
// freeglut behaves: the registered callbacks, menus (and the calls that
// would end or corrupt the real freeglut), timers, a fake monotonic clock
// and the main loop, run by runGlutLoop.
#include "tests/support/gl_recorder.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "tests/support/call_record.h"

using namespace recorder;

namespace {

GlState& state = glState();

constexpr std::chrono::microseconds LOOP_TURN{100};  // one turn of GLUT's loop with idle

// freeglut ends the program when menus change while one is open.
void checkMenusClosed(const char* call) {
    if (state.menuOpen) state.menuFaults.push_back(std::string(call) + " while a menu is open");
}

// freeglut keeps a pointer to the current menu; a destroyed one is freed memory.
void checkCurrentMenuAlive(const char* call) {
    if (state.destroyedMenus.count(state.currentMenu)) {
        state.menuFaults.push_back(std::string(call) + " with destroyed menu " +
                                   std::to_string(state.currentMenu) + " current");
    }
}

}  // namespace

STANDIN_API void glutInit(int* /*argc*/, char** /*argv*/) { record("glutInit"); }
STANDIN_API void glutInitWindowSize(int width, int height) {
    record("glutInitWindowSize", {num(width), num(height)});
}
STANDIN_API void glutInitDisplayMode(unsigned int mode) {
    record("glutInitDisplayMode", {num(mode)});
}
STANDIN_API int glutCreateWindow(const char* title) {
    record("glutCreateWindow", {str(title)});
    return 1;
}
STANDIN_API void glutDisplayFunc(void (*func)()) {
    state.displayFunc = func;
    record("glutDisplayFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutReshapeFunc(void (*func)(int, int)) {
    state.reshapeFunc = func;
    record("glutReshapeFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutMouseFunc(void (*func)(int, int, int, int)) {
    state.mouseFunc = func;
    record("glutMouseFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutMotionFunc(void (*func)(int, int)) {
    state.motionFunc = func;
    record("glutMotionFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutKeyboardFunc(void (*func)(unsigned char, int, int)) {
    state.keyboardFunc = func;
    record("glutKeyboardFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutIdleFunc(void (*func)()) {
    state.idleFunc = func;
    record("glutIdleFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutTimerFunc(unsigned int milliseconds, void (*func)(int), int value) {
    state.timers.push_back({state.clock + std::chrono::milliseconds(milliseconds), func, value});
    record("glutTimerFunc", {num(milliseconds), callback(reinterpret_cast<const void*>(func)),
                             num(value)});
}
STANDIN_API void glutPostRedisplay() {
    ++state.redisplayRequests;
    state.redisplayPending = true;
    record("glutPostRedisplay");
}
STANDIN_API void glutSwapBuffers() { record("glutSwapBuffers"); }
STANDIN_API void glutMainLoop() { record("glutMainLoop"); }
STANDIN_API int glutGet(GLenum query) {
    record("glutGet", {num(query)});
    return 0;
}
STANDIN_API int glutCreateMenu(void (*func)(int)) {
    checkMenusClosed("glutCreateMenu");
    const int id = state.nextMenuId++;
    state.menus[id].callback = func;
    state.currentMenu = id;
    record("glutCreateMenu", {callback(reinterpret_cast<const void*>(func))});
    return id;
}
STANDIN_API void glutAddMenuEntry(const char* label, int value) {
    checkMenusClosed("glutAddMenuEntry");
    checkCurrentMenuAlive("glutAddMenuEntry");
    if (state.menus.count(state.currentMenu)) {
        state.menus[state.currentMenu].entries.emplace_back(label, value);
    }
    record("glutAddMenuEntry", {str(label), num(value)});
}
STANDIN_API void glutAttachMenu(int button) {
    checkMenusClosed("glutAttachMenu");
    checkCurrentMenuAlive("glutAttachMenu");
    if (state.menus.count(state.currentMenu)) {
        state.attachedMenus[button] = state.currentMenu;
    }
    record("glutAttachMenu", {num(button)});
}
STANDIN_API void glutDestroyMenu(int menu) {
    checkMenusClosed("glutDestroyMenu");
    if (state.destroyedMenus.count(menu)) {
        state.menuFaults.push_back("glutDestroyMenu(" + std::to_string(menu) +
                                   ") on a destroyed menu");
    }
    if (state.menus.erase(menu)) {
        state.destroyedMenus.insert(menu);
        if (state.currentMenu == menu) state.currentMenu = 0;
        for (auto it = state.attachedMenus.begin(); it != state.attachedMenus.end();) {
            it = it->second == menu ? state.attachedMenus.erase(it) : std::next(it);
        }
    }
    record("glutDestroyMenu", {num(menu)});
}
STANDIN_API void glutSetMenu(int menu) {
    if (state.destroyedMenus.count(menu)) {
        state.menuFaults.push_back("glutSetMenu(" + std::to_string(menu) +
                                   ") on a destroyed menu");
    }
    // freeglut ignores an identifier that names no menu.
    if (state.menus.count(menu)) state.currentMenu = menu;
    record("glutSetMenu", {num(menu)});
}
STANDIN_API int glutGetMenu() {
    checkCurrentMenuAlive("glutGetMenu");
    record("glutGetMenu");
    return state.currentMenu;
}

void chooseMenuEntry(int button, int value) {
    const auto attached = state.attachedMenus.find(button);
    if (attached == state.attachedMenus.end()) {
        state.menuFaults.push_back("no menu attached to button " + std::to_string(button));
        return;
    }
    const int menu = attached->second;
    const int saved = state.currentMenu;
    state.menuOpen = false;
    state.currentMenu = menu;
    state.menus[menu].callback(value);
    state.currentMenu = saved;
}

STANDIN_API std::chrono::steady_clock::time_point fakeClockNow() { return state.clock; }

STANDIN_API void runGlutLoop(std::chrono::nanoseconds duration, std::chrono::nanoseconds frameTime,
                 const std::function<void()>& onFrame) {
    const auto end = state.clock + duration;
    const auto earliest = [] {
        return std::min_element(
            state.timers.begin(), state.timers.end(),
            [](const GlutTimer& a, const GlutTimer& b) { return a.due < b.due; });
    };
    while (state.clock < end) {
        // Each due timer leaves the list before its callback runs.
        for (auto next = earliest(); next != state.timers.end() && next->due <= state.clock;
             next = earliest()) {
            const GlutTimer timer = *next;
            state.timers.erase(next);
            timer.callback(timer.value);
        }
        if (state.redisplayPending) {
            state.redisplayPending = false;
            if (onFrame) onFrame();
            state.clock += frameTime;
        }
        if (state.idleFunc) {
            ++state.idleCalls;
            state.clock += LOOP_TURN;
            state.idleFunc();
        } else if (!state.redisplayPending) {
            state.clock = state.timers.empty() ? end : std::max(state.clock, earliest()->due);
        }
    }
}

