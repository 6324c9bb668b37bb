// Which swap-control extension GLX offers a window on a private Xvfb
// (Mesa's software renderer here), and which one the program's swap
// interval request then uses; the client library's own list beside it, for
// comparison (a name the server side cannot honour is not offered).
#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/swap_interval.h"
#include "tests/support/program_harness.h"

namespace {

// The names of `list` that concern swap control, or "none".
std::string swapControlNames(const char* list) {
    std::istringstream names(list ? list : "");
    std::string found;
    for (std::string name; names >> name;) {
        if (name.find("swap_control") != std::string::npos) found += " " + name;
    }
    return found.empty() ? " none" : found;
}

}  // namespace

int main(int argc, char** argv) {
    e2e::XvfbServer server;
    setenv("DISPLAY", server.displayName().c_str(), 1);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Water Fall");
    Display* display = glXGetCurrentDisplay();
    std::printf("GL: %s, %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
    std::printf("offered to the window (glXQueryExtensionsString):%s\n",
                swapControlNames(glXQueryExtensionsString(display, DefaultScreen(display))).c_str());
    std::printf("known to the client library (glXGetClientString):%s\n",
                swapControlNames(glXGetClientString(display, GLX_EXTENSIONS)).c_str());
    const char* used = requestSwapInterval();
    std::printf("swap interval 1 asked through: %s\n", used ? used : "nothing (none offered)");
    glutExit();  // closes GLUT's connection before the server goes
    return 0;
}
