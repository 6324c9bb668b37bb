// Which swap-control extension WGL offers the program's window, and the swap
// interval in force after the program's request. Its CTest case
// (swap-control-check) runs it under Wine in a private Xvfb.
#include <GL/glut.h>

#include <cstdio>

#include "app/swap_interval.h"

namespace {

using GetSwapIntervalEXT = int(WINAPI*)();

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Water Fall");
    std::printf("GL: %s, %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
    const char* used = requestSwapInterval();
    std::printf("swap interval 1 asked through: %s\n", used ? used : "nothing (none offered)");
    const auto interval = reinterpret_cast<GetSwapIntervalEXT>(
        reinterpret_cast<void (*)()>(wglGetProcAddress("wglGetSwapIntervalEXT")));
    if (used && interval) std::printf("swap interval in force: %d\n", interval());
    return 0;
}
