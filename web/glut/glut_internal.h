// What the browser GLUT's files share: the program's callbacks, the canvas,
// the frame and idle machinery, and the queue that runs the program's
// callbacks outside the browser's event handlers (an exit() from one of
// those would leave an uncaught ExitStatus; a timeout's is caught).
#pragma once

#include <functional>

namespace glut {

// The <canvas> the page hands over, as html5.h's calls name it.
constexpr const char* CANVAS = "#canvas";

struct ProgramCallbacks {
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*motion)(int, int) = nullptr;
    void (*idle)() = nullptr;
};
extern ProgramCallbacks program;

extern bool ended;          // exit() was called: nothing more runs
extern bool graphicsLost;   // the browser took the WebGL context away
extern int windowWidth;     // the canvas's drawing buffer, pixels
extern int windowHeight;
extern int requestedWidth;  // glutInitWindowSize's, brought back on leaving full screen
extern int requestedHeight;

// Runs `call` from a timeout, after the calls queued before it.
void later(std::function<void()> call);
// The drawing buffer becomes width x height; the program's reshape runs
// before the next frame, as a resized desktop window's does.
void resizeWindow(int width, int height);
// Carries the idle chain on, unless it waits for a pending frame.
void resumeIdle();

// Input (glut_input.cpp): the html5 listeners, and their end.
void listenForInput();
void stopInput();
// Menus (glut_menu.cpp).
bool popupOpen();
void closePopup();
void openPopup(int menu, double clientX, double clientY);
int attachedMenu(int button);
// A press or release over the pop-up: true when the pop-up took it.
bool popupPress(double clientX, double clientY);
bool popupRelease(int button, double clientX, double clientY);
void noteOpeningPress(int button);
void endMenus();
// The page (glut_page.cpp): the sound's end, the hooks, the DOM listeners.
void installPage();
void endPage();
void tellGraphicsLost();

}  // namespace glut
