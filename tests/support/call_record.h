// How the recording stand-in writes a call into its log, shared with the
// files that answer one platform's window-system or sound calls
// (glx_standin.cpp, wgl_standin.cpp, winmm_standin.cpp).
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace recorder {

// One argument of a recorded call, formatted the way tests spell it.
struct Arg {
    std::string text;
    std::vector<double> numbers;
    std::string string;
    bool isString = false;
};

Arg num(double value);
Arg str(const char* value);
Arg pointer(const void* p);  // "ptr" or "NULL"

// Appends `name(args...)` to the log.
void record(const char* name, std::initializer_list<Arg> args = {});

}  // namespace recorder
