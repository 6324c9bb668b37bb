// GLUT for the EGL frame drawers: no window, the callbacks kept, swaps
// handed to whoever draws (the GL layer flushes its held-back drops there).
#include <GL/glut.h>

#include "tests/frame/frame_rows.h"

namespace framerows {
void (*onSwapBuffers)() = nullptr;
}

extern "C" {

void glutInit(int*, char**) {}
void glutInitWindowSize(int, int) {}
void glutInitDisplayMode(unsigned int) {}
int glutCreateWindow(const char*) { return 1; }
void glutDisplayFunc(void (*)()) {}
void glutReshapeFunc(void (*)(int, int)) {}
void glutMouseFunc(void (*)(int, int, int, int)) {}
void glutMotionFunc(void (*)(int, int)) {}
void glutKeyboardFunc(void (*)(unsigned char, int, int)) {}
void glutIdleFunc(void (*)()) {}
void glutTimerFunc(unsigned int, void (*)(int), int) {}
void glutPostRedisplay() {}
void glutMainLoop() {}
void glutSwapBuffers() {
    if (framerows::onSwapBuffers) framerows::onSwapBuffers();
}
int glutCreateMenu(void (*)(int)) {
    static int menus = 0;
    return ++menus;
}
void glutAddMenuEntry(const char*, int) {}
void glutAttachMenu(int) {}
void glutSetMenu(int) {}
void glutDestroyMenu(int) {}

}  // extern "C"
