// The program's scene in a real window, driven in-process (see frame_lab.h).
#include "tests/frame/frame_lab.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "app/globals.h"
#include "app/startup.h"
#include "particles/waterfall_system.h"
#include "scene/display.h"
#include "scene/scenery_lists.h"

namespace framelab {

namespace {

constexpr const char* PROGRAM_NAME = "waterfall";
constexpr int MAP_WAIT_ROUNDS = 500;  // of 10 ms: GLUT maps the window on its first events

bool windowViewable(Display* display, Window window) {
    XWindowAttributes attributes;
    return window != 0 && XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

bool cullingRefused = false;  // while a direct frame is drawn

}  // namespace

long Frame::differingPixels(const Frame& o) const {
    if (width != o.width || height != o.height) return -1;
    long count = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        count += rgb[i] != o.rgb[i] || rgb[i + 1] != o.rgb[i + 1] || rgb[i + 2] != o.rgb[i + 2];
    }
    return count;
}

e2e::Screenshot Frame::screenshot() const {
    e2e::Screenshot shot;
    shot.width = width;
    shot.height = height;
    const size_t row = static_cast<size_t>(width) * 3;
    shot.rgb.resize(rgb.size());
    for (int y = 0; y < height; ++y) {
        const auto from = rgb.begin() + static_cast<long>(row * static_cast<size_t>(y));
        std::copy(from, from + static_cast<long>(row),
                  shot.rgb.begin() + static_cast<long>(row * static_cast<size_t>(height - 1 - y)));
    }
    return shot;
}

Scene::Scene() : dir_("frame"), previousDir_(std::filesystem::current_path().string()) {
    if (!copyFiles(e2e::dataDir(), dir_.path())) {
        throw std::runtime_error("no data files in " + e2e::dataDir());
    }
    std::filesystem::current_path(dir_.path());
    setenv("DISPLAY", server_.displayName().c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::string name = PROGRAM_NAME;
    char* argv[] = {name.data(), nullptr};
    int argc = 1;
    startUp(&argc, argv);
    // No window manager: GLUT puts the window at (-1, -1), partly off the screen.
    glutPositionWindow(0, 0);
    const Window window = glXGetCurrentDrawable();
    for (int i = 0; i < MAP_WAIT_ROUNDS && !windowViewable(server_.display(), window); ++i) {
        glutMainLoopEvent();
        e2e::sleepFor(e2e::Seconds(0.01));
    }
    if (!windowViewable(server_.display(), window)) throw std::runtime_error("no window");
    // The first events: placement, reshape and the first frame.
    for (int i = 0; i < 20; ++i) {
        glutMainLoopEvent();
        e2e::sleepFor(e2e::Seconds(0.01));
    }
    if (windowWidth != START_WINDOW_WIDTH || windowHeight != START_WINDOW_HEIGHT) {
        throw std::runtime_error("the window was not reshaped to its start size");
    }
}

Scene::~Scene() {
    glutExit();  // closes GLUT's connection before the server goes
    std::error_code error;  // the scratch folder goes anyway
    std::filesystem::current_path(previousDir_, error);
    if (std::getenv("WATERFALL_E2E_KEEP")) dir_.keep();
}

void Scene::pour(int steps) {
    for (int i = 0; i < steps; ++i) advancePour();
}

void Scene::drawFrame(Way way) {
    waterfall->setSphereSending(way);
    setScenerySending(way == Way::Immediate ? ScenerySending::Immediate
                                            : ScenerySending::CompiledLists);
    // A direct frame leaves culling as the program's frames left it.
    const bool wasCulling = glIsEnabled(GL_CULL_FACE) == GL_TRUE;
    cullingRefused = way == Way::Immediate;
    if (cullingRefused) glDisable(GL_CULL_FACE);
    display();
    glFinish();
    cullingRefused = false;
    if (wasCulling) glEnable(GL_CULL_FACE);
}

Frame Scene::readFrame() const {
    Frame frame;
    frame.width = windowWidth;
    frame.height = windowHeight;
    frame.rgb.resize(static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

e2e::Screenshot Scene::onScreen() const {
    return e2e::grab(server_.display(), glXGetCurrentDrawable(), 0, 0, windowWidth, windowHeight);
}

}  // namespace framelab

// In front of GL's own, for the program and everything else in the process:
// the direct frame is the reference, so nothing in it is culled, whatever
// the frame pass asks for.
extern "C" void glEnable(GLenum cap) {
    using Enable = void (*)(GLenum);
    static const auto realEnable = reinterpret_cast<Enable>(dlsym(RTLD_NEXT, "glEnable"));
    if (cap == GL_CULL_FACE && framelab::cullingRefused) return;
    realEnable(cap);
}
