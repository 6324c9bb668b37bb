// Swap interval 1 where the driver offers a way (see swap_interval.h).
#include "app/swap_interval.h"

#include <cstring>

namespace {

constexpr int SWAP_INTERVAL = 1;  // display refreshes per buffer swap

// Whether a blank-separated extension list names `name` as a whole word:
// "GLX_EXT_swap_control_tear" does not name GLX_EXT_swap_control.
bool extensionListed(const char* list, const char* name) {
    const size_t length = std::strlen(name);
    if (list == nullptr) {
        return false;
    }
    for (const char* at = list; (at = std::strstr(at, name)) != nullptr; at += length) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

}  // namespace

#ifdef _WIN32

#include <windows.h>

namespace {

using ExtensionsStringARB = const char*(WINAPI*)(HDC);
using ExtensionsStringEXT = const char*(WINAPI*)();
using SwapIntervalEXT = BOOL(WINAPI*)(int);

// Through the plain function pointer type, which any function pointer may
// be cast to and from without a warning.
template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

}  // namespace

const char* requestSwapInterval() {
    const char* extensions = nullptr;
    if (const auto arb = lookUp<ExtensionsStringARB>("wglGetExtensionsStringARB")) {
        extensions = arb(wglGetCurrentDC());
    } else if (const auto ext = lookUp<ExtensionsStringEXT>("wglGetExtensionsStringEXT")) {
        extensions = ext();
    }
    if (!extensionListed(extensions, "WGL_EXT_swap_control")) {
        return nullptr;
    }
    const auto swapInterval = lookUp<SwapIntervalEXT>("wglSwapIntervalEXT");
    if (!swapInterval) {
        return nullptr;
    }
    swapInterval(SWAP_INTERVAL);
    return "WGL_EXT_swap_control";
}

#else

#include <GL/glx.h>

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

#endif
