// A pbuffer on Mesa's surfaceless EGL platform (llvmpipe, no X server),
// current with either a desktop GL compatibility context (Mesa's fixed
// function) or an ES 3 context (for the GL layer): both sides of the
// layer's frame test draw into the same kind of surface.
#pragma once

#include <string>

namespace eglframe {

enum class Api { DesktopGL, ES };

// Makes the context current on a pbuffer of the size given; `error` says
// what failed, empty when it worked.
void makeCurrent(Api api, int width, int height, std::string& error);
void* procAddress(const char* name);

}  // namespace eglframe
