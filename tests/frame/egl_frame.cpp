// The surfaceless pbuffer and its context (see egl_frame.h).
#include "tests/frame/egl_frame.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace eglframe {

namespace {

constexpr EGLint COLOR_BITS = 8;   // per channel
constexpr EGLint DEPTH_BITS = 24;  // as the program's GLUT window asks
constexpr EGLint ES_MAJOR = 3;

}  // namespace

void makeCurrent(Api api, int width, int height, std::string& error) {
    const auto getDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getDisplay) {
        error = "no eglGetPlatformDisplayEXT";
        return;
    }
    EGLDisplay display = getDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        error = "no surfaceless EGL display";
        return;
    }
    const EGLint renderable = api == Api::ES ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT;
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RED_SIZE, COLOR_BITS,
                                       EGL_GREEN_SIZE, COLOR_BITS, EGL_BLUE_SIZE, COLOR_BITS,
                                       EGL_DEPTH_SIZE, DEPTH_BITS, EGL_RENDERABLE_TYPE, renderable,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint found = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &found) || found == 0) {
        error = "no pbuffer config";
        return;
    }
    eglBindAPI(api == Api::ES ? EGL_OPENGL_ES_API : EGL_OPENGL_API);
    const EGLint esAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, ES_MAJOR, EGL_NONE};
    const EGLint glAttributes[] = {EGL_NONE};  // the compatibility profile
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT,
                                          api == Api::ES ? esAttributes : glAttributes);
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (context == EGL_NO_CONTEXT || surface == EGL_NO_SURFACE ||
        !eglMakeCurrent(display, surface, surface, context)) {
        error = "no context or pbuffer";
    }
}

void* procAddress(const char* name) {
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

}  // namespace eglframe
