// Swap interval 1 through WGL_EXT_swap_control, on Windows (see swap_interval.h).
#include "app/swap_interval.h"

#include <windows.h>

#include "app/extension_list.h"

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
