// The scene changes of scene_rows.h.
#include "tests/frame/scene_rows.h"

#include <GL/glut.h>

#include "app/keyboard.h"
#include "app/light_menu.h"
#include "app/mouse_camera.h"

namespace scenerows {

namespace {

// A left-button drag through the program's mouse callbacks, in window pixels.
void drag(int fromX, int fromY, int toX, int toY) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, fromX, fromY);
    motion(toX, toY);
}

}  // namespace

const std::vector<Row>& viewRows() {
    static const std::vector<Row> table = {
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
    };
    return table;
}

}  // namespace scenerows
