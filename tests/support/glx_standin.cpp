// The recording stand-in's GLX calls: those of the swap interval request,
// answered from GlState's extension list (see gl_recorder.h).
#include "tests/support/gl_recorder.h"

#include <GL/glx.h>

#include <string>
#include <type_traits>

#include "tests/support/call_record.h"

using namespace recorder;

namespace {

// DefaultScreen reads the display's default_screen: 0 here.
std::remove_pointer_t<_XPrivDisplay> currentDisplay{};
constexpr GLXDrawable CURRENT_DRAWABLE = 7;

void swapIntervalEXT(Display* /*display*/, GLXDrawable drawable, int interval) {
    record("glXSwapIntervalEXT", {num(static_cast<double>(drawable)), num(interval)});
}
int swapIntervalMESA(unsigned int interval) {
    record("glXSwapIntervalMESA", {num(interval)});
    return 0;
}
int swapIntervalSGI(int interval) {
    record("glXSwapIntervalSGI", {num(interval)});
    return 0;
}

}  // namespace

Display* glXGetCurrentDisplay() { return reinterpret_cast<Display*>(&currentDisplay); }
GLXDrawable glXGetCurrentDrawable() { return CURRENT_DRAWABLE; }
const char* glXQueryExtensionsString(Display* /*display*/, int screen) {
    record("glXQueryExtensionsString", {num(screen)});
    return glState().glxExtensions.c_str();
}
__GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    const std::string function = reinterpret_cast<const char*>(name);
    record("glXGetProcAddressARB", {str(function.c_str())});
    if (function == "glXSwapIntervalEXT") return reinterpret_cast<__GLXextFuncPtr>(swapIntervalEXT);
    if (function == "glXSwapIntervalMESA") return reinterpret_cast<__GLXextFuncPtr>(swapIntervalMESA);
    if (function == "glXSwapIntervalSGI") return reinterpret_cast<__GLXextFuncPtr>(swapIntervalSGI);
    return nullptr;
}
