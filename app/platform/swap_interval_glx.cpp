// Swap interval 1 through the first swap-control extension GLX lists, on X11
// (see swap_interval.h).
#include "app/swap_interval.h"

#include <GL/glx.h>

#include "app/extension_list.h"

namespace {

using SwapIntervalEXT = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMESA = int (*)(unsigned int);
using SwapIntervalSGI = int (*)(int);

// The function, if `extensions` lists the extension that brings it.
template <typename Function>
Function lookUp(const char* extensions, const char* extension, const char* function) {
    if (!extensionListed(extensions, extension)) {
        return nullptr;
    }
    return reinterpret_cast<Function>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(function)));
}

}  // namespace

const char* requestSwapInterval() {
    Display* display = glXGetCurrentDisplay();
    if (!display) {
        return nullptr;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    if (const auto ext = lookUp<SwapIntervalEXT>(extensions, "GLX_EXT_swap_control",
                                                 "glXSwapIntervalEXT")) {
        ext(display, glXGetCurrentDrawable(), SWAP_INTERVAL);
        return "GLX_EXT_swap_control";
    }
    if (const auto mesa = lookUp<SwapIntervalMESA>(extensions, "GLX_MESA_swap_control",
                                                   "glXSwapIntervalMESA")) {
        mesa(SWAP_INTERVAL);
        return "GLX_MESA_swap_control";
    }
    if (const auto sgi = lookUp<SwapIntervalSGI>(extensions, "GLX_SGI_swap_control",
                                                 "glXSwapIntervalSGI")) {
        sgi(SWAP_INTERVAL);
        return "GLX_SGI_swap_control";
    }
    return nullptr;
}
