// The rows (see frame_rows.h): the start, the steady pour, fog, every light,
// and the views the orbit and the zoom reach.
#include "tests/frame/frame_rows.h"

#include <GL/glut.h>
#include <unistd.h>

#include <cstdlib>

#include "app/globals.h"
#include "app/keyboard.h"
#include "app/light_menu.h"
#include "app/mouse_camera.h"
#include "app/animation_tick.h"
#include "app/startup.h"
#include "scene/display.h"

namespace framerows {

namespace {

constexpr int STEADY_STEPS = 60;  // the live count settles after about 30

void drag(int fromX, int fromY, int toX, int toY) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, fromX, fromY);
    motion(toX, toY);
}

void pour(int steps) {
    for (int i = 0; i < steps; ++i) advancePour();
}

}  // namespace

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"the start", [] {}},
        {"a steady pour", [] { pour(STEADY_STEPS); }},
        {"fog on", [] { toggleFog(); }},
        {"fog on, all lights on",
         [] { for (int entry : {MENU_RED_ON, MENU_GREEN_ON, MENU_BLUE_ON}) menuSelect(entry); }},
        {"fog off, all lights on", [] { toggleFog(); }},
        {"orbited a quarter turn", [] { drag(0, 200, 399, 200); }},
        {"orbited half round, from below", [] { drag(0, 399, 399, 0); }},
        {"orbited three quarters round, from above", [] {
             drag(0, 0, 399, 399);
             drag(200, 0, 200, 399);
         }},
        {"zoomed in past the drops", [] {
             keyboard('r', 0, 0);
             keyboard('c', 0, 0);
             drag(300, 200, 100, 200);
         }},
        {"zoomed out", [] { drag(0, 200, 399, 200); }},
        {"pouring on", [] { pour(1); }},
    };
    return table;
}

bool startProgram(const std::string& dataDir) {
    if (chdir(dataDir.c_str()) != 0) return false;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char name[] = "waterfall";
    char* argv[] = {name, nullptr};
    int argc = 1;
    startUp(&argc, argv);
    reshape(FRAME_WIDTH, FRAME_HEIGHT);  // as GLUT does before the first frame
    return true;
}

void runRows(const std::string& dataDir, ReadPixels read,
             const std::function<void(size_t, const Frame&)>& each) {
    if (!startProgram(dataDir)) return;
    const auto& table = rows();
    for (size_t i = 0; i < table.size(); ++i) {
        table[i].change();
        display();
        Frame frame(static_cast<size_t>(FRAME_WIDTH) * FRAME_HEIGHT * 3);
        read(0, 0, FRAME_WIDTH, FRAME_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
        each(i, frame);
    }
}

std::string framePath(const std::string& dir, size_t index) {
    return dir + "/" + std::to_string(index) + ".rgb";
}

}  // namespace framerows
