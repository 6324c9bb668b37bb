// A recording stand-in for GL, GLU, GLUT, the few GLX calls of the swap
// interval request and, on Windows, winmm's PlaySoundA: the unit tests link
// it instead of the real libraries. Every call is appended to a log with its
// arguments, and a little of GL's state (enabled capabilities, matrix stacks,
// menus) is kept so that tests can ask what a sequence of calls left behind.
#pragma once

#include "tests/support/standin_exports.h"

#include <GL/glut.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct GlCall {
    std::string name;                 // "glEnable"
    std::string text;                 // "glEnable(GL_FOG)", floats as %g
    std::vector<double> numbers;      // every numeric argument, exactly, in order
    std::vector<std::string> strings; // string arguments (menu labels, titles)
};

struct GlutMenu {
    void (*callback)(int) = nullptr;
    std::vector<std::pair<std::string, int>> entries;  // label, value
};

struct GlutTimer {
    std::chrono::steady_clock::time_point due;
    void (*callback)(int);
    int value;
};

struct GlState {
    std::set<GLenum> enabled;
    GLenum matrixMode = GL_MODELVIEW;
    int modelviewDepth = 1;   // entries on the stack, GL starts with one
    int projectionDepth = 1;
    int boundTexture = 0;
    int redisplayRequests = 0;
    bool redisplayPending = false;  // asked for and not yet drawn by runGlutLoop
    std::map<int, GlutMenu> menus;  // the menus that exist, by identifier
    int currentMenu = 0;  // may name a destroyed menu, as freeglut's pointer may
    std::set<int> destroyedMenus;
    bool menuOpen = false;  // a pop-up menu is on screen
    // Menu calls that would end or corrupt the real freeglut: changing menus
    // while one is open, or using a destroyed menu.
    std::vector<std::string> menuFaults;
    std::map<int, int> attachedMenus;  // GLUT button -> menu identifier
    int nextMenuId = 1;
    int nextQuadric = 1;
    int nextList = 1;
    // Display lists: the texts of the calls made while each was compiled.
    std::map<GLuint, std::vector<std::string>> lists;
    GLuint compilingList = 0;  // between glNewList and glEndList
    std::set<GLuint> deletedLists;
    int maxTextureSize = 16384;  // what glGetIntegerv(GL_MAX_TEXTURE_SIZE) answers
    std::string glxExtensions;   // what glXQueryExtensionsString answers
    // The callbacks the program registered.
    void (*displayFunc)() = nullptr;
    void (*reshapeFunc)(int, int) = nullptr;
    void (*mouseFunc)(int, int, int, int) = nullptr;
    void (*motionFunc)(int, int) = nullptr;
    void (*keyboardFunc)(unsigned char, int, int) = nullptr;
    void (*idleFunc)() = nullptr;
    std::vector<GlutTimer> timers;  // registered and not yet fired
    int idleCalls = 0;              // made by runGlutLoop
    // The fake monotonic clock that fakeClockNow reads and runGlutLoop moves.
    std::chrono::steady_clock::time_point clock{std::chrono::hours(1)};
};

// The calls recorded since the last reset.
STANDIN_API const std::vector<GlCall>& glCalls();
// The texts of the recorded calls, in order.
STANDIN_API std::vector<std::string> glCallTexts();
// The texts of the recorded calls with this name.
STANDIN_API std::vector<std::string> glCallTexts(const std::string& name);
STANDIN_API GlState& glState();
// Forgets the log and restores GL's initial state.
STANDIN_API void resetGlRecorder();
// Forgets the log only; the state (quadric numbers, callbacks, ...) stays.
STANDIN_API void clearGlCalls();
// The position of the first of `calls` equal to `text` at or after `from`, or -1.
STANDIN_API std::ptrdiff_t indexOf(const std::vector<std::string>& calls, const std::string& text,
                                   std::ptrdiff_t from = 0);
// What GL executes for `recorded`: list compilations left out and every
// glCallList replaced by what its list holds.
STANDIN_API std::vector<std::string> executedCalls(const std::vector<std::string>& recorded);
// The recorded calls as one line each, for failure messages.
STANDIN_API std::string glCallDump();
// Chooses an entry of the menu attached to `button` as freeglut does: it
// closes the menu, makes that menu current, calls the menu callback with
// `value` and then makes current again whatever menu was current before.
STANDIN_API void chooseMenuEntry(int button, int value);
// The fake clock's time, for the program's clock seam.
STANDIN_API std::chrono::steady_clock::time_point fakeClockNow();
// Runs GLUT's main loop as freeglut does, on the fake clock, for `duration`:
// due timers fire, then a frame asked for is drawn (`onFrame`, then the clock
// moves on by `frameTime`), then the idle callback runs, each call costing 100
// microseconds; with no idle callback and no frame to draw the loop
// sleeps until the next timer.
STANDIN_API void runGlutLoop(std::chrono::nanoseconds duration, std::chrono::nanoseconds frameTime,
                             const std::function<void()>& onFrame = {});
// The name under which the recorder shows a quadric: "quadric1", "quadric2", ...
STANDIN_API std::string quadricName(const GLUquadric* quadric);
