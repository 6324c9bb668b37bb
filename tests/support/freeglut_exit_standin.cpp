// Windows' freeglut entry points that also take the program's exit, answered
// by the recording stand-in's GLUT model.
#include "tests/support/gl_recorder.h"

#include "tests/support/call_record.h"

// On Windows freeglut's header turns the program's glutInit, glutCreateWindow
// and glutCreateMenu into these, which also take the program's exit; the log
// shows them under the names the program wrote.
extern "C" {
STANDIN_API void __glutInitWithExit(int* argc, char** argv, void(__cdecl*)(int)) {
    glutInit(argc, argv);
}
STANDIN_API int __glutCreateWindowWithExit(const char* title, void(__cdecl*)(int)) {
    return glutCreateWindow(title);
}
STANDIN_API int __glutCreateMenuWithExit(void (*func)(int), void(__cdecl*)(int)) {
    return glutCreateMenu(func);
}
}  // extern "C"
