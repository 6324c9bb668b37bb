// GLUT's window in the browser: the page's canvas, a WebGL 2 context where
// the browser has one, else WebGL 1 with ANGLE_instanced_arrays, handed to
// the GL layer; the context's loss; full screen, where the canvas takes the
// screen's size and the program's reshape hears of it as of a resized
// window, and leaving it, which brings the requested size back. The drawing
// buffer is counted in CSS pixels, not device pixels (devicePixelRatio is
// not followed): a frame is the desktop's pixel for pixel.
#include <EGL/egl.h>
#include <GL/glut.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>

#include "web/gl/gl_layer.h"
#include "web/glut/glut_internal.h"

namespace glut {

bool graphicsLost = false;
int windowWidth = 300;  // freeglut's default window
int windowHeight = 300;
int requestedWidth = 300;
int requestedHeight = 300;

namespace {

unsigned int displayMode = GLUT_RGB | GLUT_SINGLE | GLUT_DEPTH;
bool fullScreen = false;

// The ES entry points, as the layer loads them natively too.
void* loadEntryPoint(const char* name) {
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE createContext(int majorVersion) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = (displayMode & GLUT_ALPHA) != 0;
    attributes.depth = (displayMode & GLUT_DEPTH) != 0;
    attributes.stencil = (displayMode & GLUT_STENCIL) != 0;
    attributes.antialias = (displayMode & GLUT_MULTISAMPLE) != 0;
    attributes.premultipliedAlpha = true;
    attributes.preserveDrawingBuffer = false;
    attributes.majorVersion = majorVersion;
    attributes.minorVersion = 0;
    return emscripten_webgl_create_context(CANVAS, &attributes);
}

EM_BOOL onContextLost(int, const void*, void*) {
    if (!graphicsLost && !ended) {
        graphicsLost = true;
        tellGraphicsLost();
    }
    return EM_FALSE;  // not asked back: the textures, lists and buffers went with it
}

// The canvas as laid out now, in whole CSS pixels.
void fitToElement() {
    double width = 0;
    double height = 0;
    if (emscripten_get_element_css_size(CANVAS, &width, &height) != EMSCRIPTEN_RESULT_SUCCESS) return;
    if (width < 1 || height < 1) return;
    resizeWindow(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
}

EM_BOOL onFullscreenChange(int, const EmscriptenFullscreenChangeEvent* event, void*) {
    if (ended) return EM_FALSE;
    fullScreen = event->isFullscreen;
    if (fullScreen) {
        fitToElement();
    } else {
        resizeWindow(requestedWidth, requestedHeight);
    }
    return EM_FALSE;
}

// The screen turned or the browser window changed while in full screen.
EM_BOOL onResize(int, const EmscriptenUiEvent*, void*) {
    if (fullScreen && !ended) fitToElement();
    return EM_FALSE;
}

}  // namespace

}  // namespace glut

using namespace glut;

void glutInit(int*, char**) {}

void glutInitWindowSize(int width, int height) {
    requestedWidth = width;
    requestedHeight = height;
}

void glutInitDisplayMode(unsigned int mode) { displayMode = mode; }

int glutCreateWindow(const char*) {
    windowWidth = requestedWidth;
    windowHeight = requestedHeight;
    emscripten_set_canvas_element_size(CANVAS, windowWidth, windowHeight);
    int esMajor = 2;
    bool angleInstancedArrays = false;
    // 0 when the browser refuses.
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = createContext(2);
    if (context) {
        esMajor = 3;
    } else {
        context = createContext(1);
        if (!context) {
            emscripten_log(EM_LOG_ERROR, "Water Fall could not get a WebGL context from the canvas");
            abort();
        }
    }
    emscripten_webgl_make_context_current(context);
    if (esMajor == 2) angleInstancedArrays = emscripten_webgl_enable_ANGLE_instanced_arrays(context);
    if (!gl_layer::start(loadEntryPoint, esMajor, angleInstancedArrays)) {
        emscripten_log(EM_LOG_ERROR, "Water Fall's GL layer could not start on this WebGL");
        abort();
    }
    emscripten_set_webglcontextlost_callback(CANVAS, nullptr, EM_FALSE, onContextLost);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                             onFullscreenChange);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onResize);
    listenForInput();
    installPage();
    return 1;
}
