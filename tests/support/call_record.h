// How the recording stand-in writes a call into its log (gl_recorder.cpp),
// shared with the files that answer the calls: GL and GLU
// (gl_state_standin.cpp), GLUT (glut_runtime_standin.cpp) and one platform's
// window-system or sound calls (glx_standin.cpp, wgl_standin.cpp,
// winmm_standin.cpp).
#pragma once

#include "tests/support/gl_recorder.h"

#include <initializer_list>
#include <string>
#include <vector>

// GLU's quadric is opaque to the program; the stand-in's is just a number.
class GLUquadric {
public:
    int id;
};

namespace recorder {

// One argument of a recorded call, formatted the way tests spell it.
struct Arg {
    std::string text;
    std::vector<double> numbers;
    std::string string;
    bool isString = false;
};

Arg en(GLenum value);  // its GL name where the log knows it, else hexadecimal
Arg num(double value);
Arg boolean(GLboolean value);
Arg str(const char* value);
Arg vec(const GLfloat* values, int count);
Arg quadric(const GLUquadric* q);
Arg pointer(const void* p);   // "ptr" or "NULL"
Arg callback(const void* p);  // "fn" or "NULL"

// Appends `name(args...)` to the log; while a display list is compiled, to
// the list as well.
void record(const char* name, std::initializer_list<Arg> args = {});

}  // namespace recorder
