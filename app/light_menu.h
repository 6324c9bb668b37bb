// The right-button menu that switches the three coloured lights, and "Exit".
#pragma once

// Menu entry values.
constexpr int MENU_RED_ON = 1;
constexpr int MENU_RED_OFF = 2;
constexpr int MENU_GREEN_ON = 3;
constexpr int MENU_GREEN_OFF = 4;
constexpr int MENU_BLUE_ON = 5;
constexpr int MENU_BLUE_OFF = 6;
constexpr int MENU_EXIT = 7;

// The GLUT identifier of the menu attached to the right button; 0 before the
// first one is built. Kept so that each rebuild can destroy its predecessor.
extern int lightMenu;

// Adds the red, green and blue entries to the current menu, each labelled by
// what choosing it will do.
void addLightEntries();
// Builds the menu anew from the light flags and attaches it to the right
// button in place of the previous one, which it destroys. Leaves no menu
// current.
void buildLightMenu();
// GLUT's menu callback.
void menuSelect(int value);
