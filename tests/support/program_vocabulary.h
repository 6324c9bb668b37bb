// What the real program shows and answers to, named once for the harness,
// the end-to-end tests and the tools that drive the program: its window and
// sky, X's mouse buttons, its light menu and the texts it prints.
#pragma once

#include <string>

namespace e2e {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr const char* WINDOW_TITLE = "Water Fall";
// freeglut gives each GLUT menu an X window of its own, named so.
constexpr const char* MENU_WINDOW_NAME = "freeglut menu";
constexpr int WINDOW_SIDE = 400;  // pixels, both ways, at start
constexpr Rgb SKY = {0, 128, 255};  // the clear colour, behind the scene
// The start eye, in scene units; it looks at the origin.
constexpr double START_EYE[3] = {0.081023, 0.063008, 0.85435};

constexpr int LEFT_BUTTON = 1, MIDDLE_BUTTON = 2, RIGHT_BUTTON = 3;  // X's numbers

constexpr int MENU_ENTRIES = 4;  // red, green, blue, "Exit"
constexpr int RED_ENTRY = 0;
constexpr int EXIT_ENTRY = 3;

// The three lines the picture loader prints when every picture loads.
inline const std::string LOADER_LINES =
    "trying to load sky.bmp\ntrying to load ground.bmp\ntrying to load close.bmp\n";
// Once in every help text, near its end: the help has been printed.
constexpr const char* HELP_END = "appplication";

}  // namespace e2e
