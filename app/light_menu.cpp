// The right-button menu that switches the three coloured lights, and "Exit".
//
// Every light change builds a new menu, so the superseded one is destroyed.
// freeglut allows that only while no menu is open; it closes the menu before
// calling menuSelect, which makes the callback a safe place. But freeglut
// also remembers which menu was current when the click came and makes it
// current again after menuSelect returns. If that were the menu just
// destroyed, GLUT would be left holding a freed menu. So between callbacks
// no menu is current at all: the last thing a rebuild does is destroy a
// menu while it is the current one, which is how GLUT is told "none".
#include "app/light_menu.h"

#include <GL/glut.h>

#include <cstdlib>

#include "app/globals.h"

int lightMenu = 0;

namespace {

constexpr const char* EXIT_LABEL = "Exit";

struct LightEntry {
    const bool& on;
    int onValue;
    const char* onLabel;
    int offValue;
    const char* offLabel;
};

// The labels are the menu's own texts; the red one really ends in a blank.
const LightEntry LIGHT_ENTRIES[] = {
    {redLightOn, MENU_RED_ON, "Enable light - Red", MENU_RED_OFF,
     "Disable light - Red "},
    {greenLightOn, MENU_GREEN_ON, "Enable light - Green", MENU_GREEN_OFF,
     "Disable light - Green"},
    {blueLightOn, MENU_BLUE_ON, "Enable light - Blue", MENU_BLUE_OFF,
     "Disable light - Blue"},
};

// Destroying the current menu is the only way to leave GLUT with none.
void destroyAsCurrent(int menu) {
    glutSetMenu(menu);
    glutDestroyMenu(menu);
}

void switchLight(bool& flag, GLenum light, bool on) {
    flag = on;
    if (on) {
        glEnable(light);
    } else {
        glDisable(light);
    }
    buildLightMenu();
}

}  // namespace

void addLightEntries() {
    for (const LightEntry& entry : LIGHT_ENTRIES) {
        if (entry.on) {
            glutAddMenuEntry(entry.offLabel, entry.offValue);
        } else {
            glutAddMenuEntry(entry.onLabel, entry.onValue);
        }
    }
}

void buildLightMenu() {
    const int superseded = lightMenu;
    lightMenu = glutCreateMenu(menuSelect);
    addLightEntries();
    glutAddMenuEntry(EXIT_LABEL, MENU_EXIT);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
    // The first build has nothing to replace: an empty menu made for the
    // purpose takes the superseded one's place.
    destroyAsCurrent(superseded != 0 ? superseded : glutCreateMenu(menuSelect));
}

void menuSelect(int value) {
    switch (value) {
    case MENU_RED_ON: switchLight(redLightOn, GL_LIGHT1, true); break;
    case MENU_RED_OFF: switchLight(redLightOn, GL_LIGHT1, false); break;
    case MENU_GREEN_ON: switchLight(greenLightOn, GL_LIGHT2, true); break;
    case MENU_GREEN_OFF: switchLight(greenLightOn, GL_LIGHT2, false); break;
    case MENU_BLUE_ON: switchLight(blueLightOn, GL_LIGHT3, true); break;
    case MENU_BLUE_OFF: switchLight(blueLightOn, GL_LIGHT3, false); break;
    case MENU_EXIT: std::exit(0);
    default: break;
    }
}
