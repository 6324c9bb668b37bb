// GLUT's input in the browser: keys on the whole window (keydown's text: a
// letter as typed, Enter, Escape, Tab, Backspace and Delete as their ASCII
// codes), the mouse's presses over the canvas and its drags anywhere (as
// freeglut's window keeps the pointer while a button is held), touches on the
// canvas as the left button, and a touch held still for LONG_PRESS_MS as the
// right button's menu. Positions are the canvas's pixels, top-down. Each
// program callback runs from the queue, outside the browser's handler.
#include <GL/glut.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstring>

#include "web/glut/glut_internal.h"

namespace glut {

namespace {

constexpr int LONG_PRESS_MS = 500;
constexpr double LONG_PRESS_SLOP_PX = 10;  // a touch moving further is a drag, not a press
constexpr int DOM_BUTTONS = 3;             // left, middle, right: GLUT's 0, 1, 2

int pointerX = 0;  // the last position over the canvas, its pixels
int pointerY = 0;
unsigned int buttonsHeld = 0;  // bit per GLUT button pressed over the canvas
long touchId = -1;             // the one touch followed, -1 when none
long longPressTimeout = 0;
double longPressX = 0;         // where the long press began, CSS pixels of the viewport
double longPressY = 0;

// Whether the element at the point is the canvas.
EM_JS(int, canvas_at, (double x, double y), {
    var canvas = Module['canvas'];
    return canvas && document.elementFromPoint(x, y) === canvas ? 1 : 0;
});

// The point in the canvas's pixels, written to out[0] and out[1].
EM_JS(void, canvas_point, (double x, double y, int* out), {
    var canvas = Module['canvas'];
    var box = canvas.getBoundingClientRect();
    var scaleX = box.width > 0 ? canvas.width / box.width : 1;
    var scaleY = box.height > 0 ? canvas.height / box.height : 1;
    HEAP32[out >> 2] = Math.floor((x - box.left) * scaleX);
    HEAP32[(out >> 2) + 1] = Math.floor((y - box.top) * scaleY);
});

EM_JS(void, focus_canvas, (), {
    var canvas = Module['canvas'];
    if (!canvas) return;
    if (!canvas.hasAttribute('tabindex')) canvas.setAttribute('tabindex', '0');
    canvas.focus();
});

void notePointer(double clientX, double clientY) {
    int point[2];
    canvas_point(clientX, clientY, point);
    pointerX = point[0];
    pointerY = point[1];
}

void deliverMouse(int button, int state) {
    if (!program.mouse) return;
    const int x = pointerX;
    const int y = pointerY;
    later([button, state, x, y] { if (program.mouse) program.mouse(button, state, x, y); });
}

void deliverMotion() {
    if (!program.motion) return;
    const int x = pointerX;
    const int y = pointerY;
    later([x, y] { if (program.motion) program.motion(x, y); });
}

// The ASCII code GLUT gives for the key, false for keys it gives none.
bool asciiOf(const EmscriptenKeyboardEvent* event, unsigned char* code) {
    if (event->ctrlKey || event->altKey || event->metaKey) return false;
    const char* key = event->key;
    if (std::strlen(key) == 1 && static_cast<unsigned char>(key[0]) < 128) {
        *code = static_cast<unsigned char>(key[0]);
        return true;
    }
    static const struct { const char* name; unsigned char code; } NAMED[] = {
        {"Enter", 13}, {"Escape", 27}, {"Tab", 9}, {"Backspace", 8}, {"Delete", 127}};
    for (const auto& named : NAMED) {
        if (std::strcmp(key, named.name) == 0) {
            *code = named.code;
            return true;
        }
    }
    return false;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
    if (ended) return EM_FALSE;
    if (popupOpen() && std::strcmp(event->key, "Escape") == 0) {
        closePopup();
        return EM_TRUE;
    }
    unsigned char code = 0;
    if (!program.keyboard || !asciiOf(event, &code)) return EM_FALSE;
    const int x = pointerX;
    const int y = pointerY;
    later([code, x, y] { if (program.keyboard) program.keyboard(code, x, y); });
    return EM_FALSE;
}

EM_BOOL onMouseDown(int, const EmscriptenMouseEvent* event, void*) {
    if (ended || static_cast<int>(event->button) >= DOM_BUTTONS) return EM_FALSE;
    const double x = event->clientX;
    const double y = event->clientY;
    if (popupPress(x, y)) return EM_TRUE;
    if (popupOpen()) {
        // A press elsewhere only closes the pop-up, as freeglut's does.
        closePopup();
        noteOpeningPress(event->button);
        return EM_FALSE;
    }
    if (!canvas_at(x, y)) return EM_FALSE;
    focus_canvas();
    notePointer(x, y);
    if (attachedMenu(event->button)) {
        // Opened after the callbacks queued before it: a menu's choice still
        // waiting there rebuilds the menu, which would close this pop-up.
        const int button = event->button;
        noteOpeningPress(button);
        later([button, x, y] {
            const int menu = attachedMenu(button);
            if (menu) openPopup(menu, x, y);
        });
        return EM_TRUE;
    }
    buttonsHeld |= 1u << event->button;
    deliverMouse(event->button, GLUT_DOWN);
    return EM_FALSE;
}

EM_BOOL onMouseUp(int, const EmscriptenMouseEvent* event, void*) {
    if (ended || static_cast<int>(event->button) >= DOM_BUTTONS) return EM_FALSE;
    if (popupRelease(event->button, event->clientX, event->clientY)) return EM_TRUE;
    const unsigned int bit = 1u << event->button;
    if (!(buttonsHeld & bit)) return EM_FALSE;
    buttonsHeld &= ~bit;
    notePointer(event->clientX, event->clientY);
    deliverMouse(event->button, GLUT_UP);
    return EM_FALSE;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    if (ended || !buttonsHeld) return EM_FALSE;
    notePointer(event->clientX, event->clientY);
    deliverMotion();
    return EM_FALSE;
}

void cancelLongPress() {
    if (longPressTimeout) emscripten_clear_timeout(longPressTimeout);
    longPressTimeout = 0;
}

void onLongPress(void*) {
    longPressTimeout = 0;
    const double x = longPressX;
    const double y = longPressY;
    later([x, y] {
        const int menu = attachedMenu(GLUT_RIGHT_BUTTON);
        if (menu) openPopup(menu, x, y);
    });
}

const EmscriptenTouchPoint* followedTouch(const EmscriptenTouchEvent* event) {
    for (int i = 0; i < event->numTouches; ++i) {
        if (event->touches[i].identifier == touchId && event->touches[i].isChanged) {
            return &event->touches[i];
        }
    }
    return nullptr;
}

// Touches on the canvas are the program's: the browser makes no mouse
// events of them (the handlers refuse its default).
EM_BOOL onTouchStart(int, const EmscriptenTouchEvent* event, void*) {
    if (ended) return EM_TRUE;
    cancelLongPress();
    if (event->numTouches != 1 || touchId != -1) return EM_TRUE;
    const EmscriptenTouchPoint& touch = event->touches[0];
    touchId = touch.identifier;
    focus_canvas();
    notePointer(touch.clientX, touch.clientY);
    longPressX = touch.clientX;
    longPressY = touch.clientY;
    if (attachedMenu(GLUT_RIGHT_BUTTON)) {
        longPressTimeout = emscripten_set_timeout(onLongPress, LONG_PRESS_MS, nullptr);
    }
    buttonsHeld |= 1u << GLUT_LEFT_BUTTON;
    deliverMouse(GLUT_LEFT_BUTTON, GLUT_DOWN);
    return EM_TRUE;
}

EM_BOOL onTouchMove(int, const EmscriptenTouchEvent* event, void*) {
    const EmscriptenTouchPoint* touch = followedTouch(event);
    if (ended || !touch) return EM_TRUE;
    if (std::fabs(touch->clientX - longPressX) + std::fabs(touch->clientY - longPressY) >
        LONG_PRESS_SLOP_PX) {
        cancelLongPress();
    }
    notePointer(touch->clientX, touch->clientY);
    deliverMotion();
    return EM_TRUE;
}

EM_BOOL onTouchEnd(int, const EmscriptenTouchEvent* event, void*) {
    const EmscriptenTouchPoint* touch = followedTouch(event);
    if (ended || !touch) return EM_TRUE;
    cancelLongPress();
    touchId = -1;
    buttonsHeld &= ~(1u << GLUT_LEFT_BUTTON);
    notePointer(touch->clientX, touch->clientY);
    deliverMouse(GLUT_LEFT_BUTTON, GLUT_UP);
    return EM_TRUE;
}

}  // namespace

void listenForInput() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKeyDown);
    emscripten_set_mousedown_callback(window, nullptr, EM_TRUE, onMouseDown);
    emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, onMouseUp);
    emscripten_set_mousemove_callback(window, nullptr, EM_TRUE, onMouseMove);
    emscripten_set_touchstart_callback(CANVAS, nullptr, EM_TRUE, onTouchStart);
    emscripten_set_touchmove_callback(CANVAS, nullptr, EM_TRUE, onTouchMove);
    emscripten_set_touchend_callback(CANVAS, nullptr, EM_TRUE, onTouchEnd);
    emscripten_set_touchcancel_callback(CANVAS, nullptr, EM_TRUE, onTouchEnd);
    focus_canvas();
}

void stopInput() {
    cancelLongPress();
    emscripten_html5_remove_all_event_listeners();
}

}  // namespace glut
