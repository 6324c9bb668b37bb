// The recording stand-in's call log (see gl_recorder.h): every call with its
// arguments formatted the way the tests spell them, the recorder's state
// and what the tests ask of the log. The calls themselves are answered by
// gl_state_standin.cpp (GL, GLU), glut_runtime_standin.cpp (GLUT) and the
// platform's window-system and sound files.
#include "tests/support/gl_recorder.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <sstream>

#include "tests/support/call_record.h"

namespace {

std::vector<GlCall> calls;
GlState state;

const std::map<GLenum, const char*>& enumNames() {
    static const std::map<GLenum, const char*> names = {
        {GL_MODELVIEW, "GL_MODELVIEW"}, {GL_PROJECTION, "GL_PROJECTION"},
        {GL_FOG, "GL_FOG"}, {GL_FOG_MODE, "GL_FOG_MODE"}, {GL_FOG_DENSITY, "GL_FOG_DENSITY"},
        {GL_FOG_START, "GL_FOG_START"}, {GL_FOG_END, "GL_FOG_END"},
        {GL_FOG_COLOR, "GL_FOG_COLOR"}, {GL_LINEAR, "GL_LINEAR"},
        {GL_DEPTH_TEST, "GL_DEPTH_TEST"}, {GL_BLEND, "GL_BLEND"}, {GL_LIGHTING, "GL_LIGHTING"},
        {GL_LIGHT0, "GL_LIGHT0"}, {GL_LIGHT1, "GL_LIGHT1"}, {GL_LIGHT2, "GL_LIGHT2"},
        {GL_LIGHT3, "GL_LIGHT3"}, {GL_TEXTURE_2D, "GL_TEXTURE_2D"},
        {GL_CULL_FACE, "GL_CULL_FACE"}, {GL_BACK, "GL_BACK"}, {GL_CCW, "GL_CCW"},
        {GL_FRONT, "GL_FRONT"}, {GL_AMBIENT, "GL_AMBIENT"}, {GL_DIFFUSE, "GL_DIFFUSE"},
        {GL_SPECULAR, "GL_SPECULAR"}, {GL_SHININESS, "GL_SHININESS"},
        {GL_POSITION, "GL_POSITION"}, {GL_SMOOTH, "GL_SMOOTH"},
        {GL_RGB, "GL_RGB"}, {GL_RGBA, "GL_RGBA"}, {GL_UNSIGNED_BYTE, "GL_UNSIGNED_BYTE"},
        {GL_TEXTURE_WRAP_S, "GL_TEXTURE_WRAP_S"}, {GL_TEXTURE_WRAP_T, "GL_TEXTURE_WRAP_T"},
        {GL_TEXTURE_MAG_FILTER, "GL_TEXTURE_MAG_FILTER"},
        {GL_TEXTURE_MIN_FILTER, "GL_TEXTURE_MIN_FILTER"},
        {GL_CLAMP, "GL_CLAMP"}, {GL_NEAREST, "GL_NEAREST"},
        {GL_MAX_TEXTURE_SIZE, "GL_MAX_TEXTURE_SIZE"}, {GL_COMPILE, "GL_COMPILE"},
        {GL_UNPACK_ALIGNMENT, "GL_UNPACK_ALIGNMENT"}, {GL_PACK_ALIGNMENT, "GL_PACK_ALIGNMENT"},
        {GLU_FILL, "GLU_FILL"}, {GLU_SMOOTH, "GLU_SMOOTH"},
    };
    return names;
}

std::string formatNumber(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

}  // namespace

// Shared with the files that answer the calls (call_record.h).
namespace recorder {

Arg en(GLenum value) {
    const auto found = enumNames().find(value);
    if (found != enumNames().end()) {
        return {found->second, {static_cast<double>(value)}, {}, false};
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", value);
    return {buffer, {static_cast<double>(value)}, {}, false};
}
Arg num(double value) { return {formatNumber(value), {value}, {}, false}; }
Arg boolean(GLboolean value) {
    return {value ? "GL_TRUE" : "GL_FALSE", {static_cast<double>(value)}, {}, false};
}
Arg str(const char* value) {
    return {std::string("\"") + value + "\"", {}, value, true};
}
Arg vec(const GLfloat* values, int count) {
    Arg arg;
    arg.text = "[";
    for (int i = 0; i < count; ++i) {
        arg.text += (i ? ", " : "") + formatNumber(values[i]);
        arg.numbers.push_back(values[i]);
    }
    arg.text += "]";
    return arg;
}
Arg quadric(const GLUquadric* q) { return {quadricName(q), {}, {}, false}; }
Arg pointer(const void* p) { return {p ? "ptr" : "NULL", {}, {}, false}; }
Arg callback(const void* p) { return {p ? "fn" : "NULL", {}, {}, false}; }

void record(const char* name, std::initializer_list<Arg> args) {
    GlCall call;
    call.name = name;
    call.text = std::string(name) + "(";
    bool first = true;
    for (const Arg& arg : args) {
        call.text += (first ? "" : ", ") + arg.text;
        first = false;
        call.numbers.insert(call.numbers.end(), arg.numbers.begin(), arg.numbers.end());
        if (arg.isString) {
            call.strings.push_back(arg.string);
        }
    }
    call.text += ")";
    if (state.compilingList != 0 && call.name != "glEndList") {
        state.lists[state.compilingList].push_back(call.text);
    }
    calls.push_back(std::move(call));
}

}  // namespace recorder

const std::vector<GlCall>& glCalls() { return calls; }

std::vector<std::string> glCallTexts() {
    std::vector<std::string> texts;
    for (const GlCall& call : calls) texts.push_back(call.text);
    return texts;
}

std::vector<std::string> glCallTexts(const std::string& name) {
    std::vector<std::string> texts;
    for (const GlCall& call : calls) {
        if (call.name == name) texts.push_back(call.text);
    }
    return texts;
}

GlState& glState() { return state; }

void resetGlRecorder() {
    calls.clear();
    state = GlState();
}

void clearGlCalls() { calls.clear(); }

std::ptrdiff_t indexOf(const std::vector<std::string>& calls, const std::string& text,
                       std::ptrdiff_t from) {
    const auto found = std::find(calls.begin() + from, calls.end(), text);
    return found == calls.end() ? -1 : found - calls.begin();
}

std::vector<std::string> executedCalls(const std::vector<std::string>& recorded) {
    std::vector<std::string> executed;
    bool compiling = false;
    for (const std::string& call : recorded) {
        if (call.rfind("glGenLists(", 0) == 0) continue;
        if (call.rfind("glNewList(", 0) == 0) compiling = true;
        if (compiling) {
            if (call == "glEndList()") compiling = false;
            continue;
        }
        if (call.rfind("glCallList(", 0) == 0) {
            const GLuint list = static_cast<GLuint>(std::stoul(call.substr(11)));
            const std::vector<std::string>& content = state.lists.at(list);
            executed.insert(executed.end(), content.begin(), content.end());
        } else {
            executed.push_back(call);
        }
    }
    return executed;
}

std::string glCallDump() {
    std::ostringstream out;
    for (const GlCall& call : calls) out << "  " << call.text << "\n";
    return out.str();
}

std::string quadricName(const GLUquadric* q) {
    return q ? "quadric" + std::to_string(q->id) : "NULL";
}
