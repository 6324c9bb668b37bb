// The recording stand-in's WGL calls: those of the swap interval request.
// It offers no extension, so the log shows the look-ups and nothing more.
// gdi32's own build switch, as _WINMM_ is winmm's: wingdi.h then declares
// its wgl calls plainly rather than as imports, and these two are exported
// here as opengl32.dll exports them.
#define _GDI32_
#include "tests/support/standin_exports.h"

#include "tests/support/call_record.h"

using namespace recorder;

STANDIN_API PROC WINAPI wglGetProcAddress(LPCSTR name) {
    record("wglGetProcAddress", {str(name)});
    return nullptr;
}
STANDIN_API HDC WINAPI wglGetCurrentDC() {
    record("wglGetCurrentDC");
    return nullptr;
}
