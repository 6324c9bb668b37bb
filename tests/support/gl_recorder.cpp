// A recording stand-in for GL, GLU and GLUT (see gl_recorder.h).
#include "tests/support/gl_recorder.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <sstream>

#include "tests/support/call_record.h"

// GLU's quadric is opaque to the program; the stand-in's is just a number.
class GLUquadric {
public:
    int id;
};

namespace {

std::vector<GlCall> calls;
GlState state;

constexpr std::chrono::microseconds LOOP_TURN{100};  // one turn of GLUT's loop with idle

const std::map<GLenum, const char*>& enumNames() {
    static const std::map<GLenum, const char*> names = {
        {GL_MODELVIEW, "GL_MODELVIEW"}, {GL_PROJECTION, "GL_PROJECTION"},
        {GL_FOG, "GL_FOG"}, {GL_FOG_MODE, "GL_FOG_MODE"}, {GL_FOG_DENSITY, "GL_FOG_DENSITY"},
        {GL_FOG_START, "GL_FOG_START"}, {GL_FOG_END, "GL_FOG_END"},
        {GL_FOG_COLOR, "GL_FOG_COLOR"}, {GL_LINEAR, "GL_LINEAR"},
        {GL_DEPTH_TEST, "GL_DEPTH_TEST"}, {GL_BLEND, "GL_BLEND"}, {GL_LIGHTING, "GL_LIGHTING"},
        {GL_LIGHT0, "GL_LIGHT0"}, {GL_LIGHT1, "GL_LIGHT1"}, {GL_LIGHT2, "GL_LIGHT2"},
        {GL_LIGHT3, "GL_LIGHT3"}, {GL_TEXTURE_2D, "GL_TEXTURE_2D"},
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

const char* primitiveName(GLenum mode) {
    switch (mode) {
    case GL_POINTS: return "GL_POINTS";
    case GL_LINES: return "GL_LINES";
    case GL_TRIANGLES: return "GL_TRIANGLES";
    case GL_TRIANGLE_STRIP: return "GL_TRIANGLE_STRIP";
    case GL_TRIANGLE_FAN: return "GL_TRIANGLE_FAN";
    case GL_QUADS: return "GL_QUADS";
    case GL_QUAD_STRIP: return "GL_QUAD_STRIP";
    case GL_POLYGON: return "GL_POLYGON";
    default: return nullptr;
    }
}

std::string formatNumber(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

}  // namespace

// Shared with the per-platform stand-in files (call_record.h).
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

using namespace recorder;

namespace {

int valuesOf(GLenum pname) {
    switch (pname) {
    case GL_SHININESS: case GL_FOG_DENSITY: case GL_FOG_START: case GL_FOG_END: return 1;
    case GL_SPOT_DIRECTION: return 3;
    default: return 4;
    }
}

// freeglut ends the program when menus change while one is open.
void checkMenusClosed(const char* call) {
    if (state.menuOpen) state.menuFaults.push_back(std::string(call) + " while a menu is open");
}

// freeglut keeps a pointer to the current menu; a destroyed one is freed memory.
void checkCurrentMenuAlive(const char* call) {
    if (state.destroyedMenus.count(state.currentMenu)) {
        state.menuFaults.push_back(std::string(call) + " with destroyed menu " +
                                   std::to_string(state.currentMenu) + " current");
    }
}

int& depthOfCurrentStack() {
    return state.matrixMode == GL_PROJECTION ? state.projectionDepth : state.modelviewDepth;
}

}  // namespace

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

// ---- GL ----------------------------------------------------------------

void APIENTRY glClear(GLbitfield mask) {
    std::string text;
    if (mask & GL_COLOR_BUFFER_BIT) text += "GL_COLOR_BUFFER_BIT";
    if (mask & GL_DEPTH_BUFFER_BIT) text += std::string(text.empty() ? "" : " | ") + "GL_DEPTH_BUFFER_BIT";
    record("glClear", {{text, {static_cast<double>(mask)}, {}, false}});
}
void APIENTRY glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", {num(r), num(g), num(b), num(a)});
}
void APIENTRY glEnable(GLenum cap) {
    state.enabled.insert(cap);
    record("glEnable", {en(cap)});
}
void APIENTRY glDisable(GLenum cap) {
    state.enabled.erase(cap);
    record("glDisable", {en(cap)});
}
void APIENTRY glMatrixMode(GLenum mode) {
    state.matrixMode = mode;
    record("glMatrixMode", {en(mode)});
}
void APIENTRY glLoadIdentity() { record("glLoadIdentity"); }
void APIENTRY glPushMatrix() {
    ++depthOfCurrentStack();
    record("glPushMatrix");
}
void APIENTRY glPopMatrix() {
    --depthOfCurrentStack();
    record("glPopMatrix");
}
void APIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    record("glRotatef", {num(angle), num(x), num(y), num(z)});
}
void APIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", {num(x), num(y), num(z)});
}
void APIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) {
    record("glScalef", {num(x), num(y), num(z)});
}
void APIENTRY glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
    record("glOrtho", {num(left), num(right), num(bottom), num(top), num(zNear), num(zFar)});
}
void APIENTRY glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    record("glViewport", {num(x), num(y), num(width), num(height)});
}
void APIENTRY glFogi(GLenum pname, GLint param) {
    record("glFogi", {en(pname), en(static_cast<GLenum>(param))});
}
void APIENTRY glFogf(GLenum pname, GLfloat param) { record("glFogf", {en(pname), num(param)}); }
void APIENTRY glFogfv(GLenum pname, const GLfloat* params) {
    record("glFogfv", {en(pname), vec(params, valuesOf(pname))});
}
void APIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    record("glLightfv", {en(light), en(pname), vec(params, valuesOf(pname))});
}
void APIENTRY glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    record("glMaterialfv", {en(face), en(pname), vec(params, valuesOf(pname))});
}
void APIENTRY glShadeModel(GLenum mode) { record("glShadeModel", {en(mode)}); }
void APIENTRY glBegin(GLenum mode) {
    const char* name = primitiveName(mode);
    record("glBegin", {name ? Arg{name, {static_cast<double>(mode)}, {}, false} : num(mode)});
}
void APIENTRY glEnd() { record("glEnd"); }
void APIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", {num(r), num(g), num(b)});
}
void APIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glNormal3f", {num(x), num(y), num(z)});
}
void APIENTRY glTexCoord2f(GLfloat s, GLfloat t) { record("glTexCoord2f", {num(s), num(t)}); }
void APIENTRY glVertex2f(GLfloat x, GLfloat y) { record("glVertex2f", {num(x), num(y)}); }
void APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glVertex3f", {num(x), num(y), num(z)});
}
void APIENTRY glBindTexture(GLenum target, GLuint texture) {
    state.boundTexture = static_cast<int>(texture);
    record("glBindTexture", {en(target), num(texture)});
}
void APIENTRY glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                           GLsizei height, GLint border, GLenum format, GLenum type,
                           const GLvoid* pixels) {
    record("glTexImage2D", {en(target), num(level), num(internalFormat), num(width), num(height),
                            num(border), en(format), en(type), pointer(pixels)});
}
void APIENTRY glTexParameteri(GLenum target, GLenum pname, GLint param) {
    record("glTexParameteri", {en(target), en(pname), en(static_cast<GLenum>(param))});
}
void APIENTRY glPixelStorei(GLenum pname, GLint param) {
    record("glPixelStorei", {en(pname), num(param)});
}
void APIENTRY glGetIntegerv(GLenum pname, GLint* params) {
    if (pname == GL_MAX_TEXTURE_SIZE) {
        *params = state.maxTextureSize;
    } else {
        *params = 0;
    }
    record("glGetIntegerv", {en(pname)});
}
GLuint APIENTRY glGenLists(GLsizei range) {
    const GLuint first = static_cast<GLuint>(state.nextList);
    state.nextList += range;
    record("glGenLists", {num(range)});
    return first;
}
void APIENTRY glNewList(GLuint list, GLenum mode) {
    record("glNewList", {num(list), en(mode)});
    state.lists[list].clear();
    state.compilingList = list;
}
void APIENTRY glEndList() {
    record("glEndList");
    state.compilingList = 0;
}
void APIENTRY glDeleteLists(GLuint list, GLsizei range) {
    for (GLsizei i = 0; i < range; ++i) {
        if (state.lists.erase(list + static_cast<GLuint>(i))) {
            state.deletedLists.insert(list + static_cast<GLuint>(i));
        }
    }
    record("glDeleteLists", {num(list), num(range)});
}
void APIENTRY glCallList(GLuint list) { record("glCallList", {num(list)}); }
void APIENTRY glFinish() { record("glFinish"); }
void APIENTRY glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                           GLenum type, GLvoid* pixels) {
    record("glReadPixels", {num(x), num(y), num(width), num(height), en(format), en(type),
                            pointer(pixels)});
}

// ---- GLU ---------------------------------------------------------------

STANDIN_API void APIENTRY gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                                    GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY,
                                    GLdouble upZ) {
    record("gluLookAt", {num(eyeX), num(eyeY), num(eyeZ), num(centerX), num(centerY),
                         num(centerZ), num(upX), num(upY), num(upZ)});
}
STANDIN_API GLUquadric* APIENTRY gluNewQuadric() {
    // Never freed, like the program's own quadrics.
    GLUquadric* q = new GLUquadric{state.nextQuadric++};
    record("gluNewQuadric");
    return q;
}
STANDIN_API void APIENTRY gluDeleteQuadric(GLUquadric* q) {
    record("gluDeleteQuadric", {quadric(q)});
    delete q;
}
STANDIN_API void APIENTRY gluQuadricDrawStyle(GLUquadric* q, GLenum draw) {
    record("gluQuadricDrawStyle", {quadric(q), en(draw)});
}
STANDIN_API void APIENTRY gluQuadricNormals(GLUquadric* q, GLenum normal) {
    record("gluQuadricNormals", {quadric(q), en(normal)});
}
STANDIN_API void APIENTRY gluQuadricTexture(GLUquadric* q, GLboolean texture) {
    record("gluQuadricTexture", {quadric(q), boolean(texture)});
}
STANDIN_API void APIENTRY gluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks) {
    record("gluSphere", {quadric(q), num(radius), num(slices), num(stacks)});
}
STANDIN_API void APIENTRY gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height,
                                      GLint slices, GLint stacks) {
    record("gluCylinder", {quadric(q), num(base), num(top), num(height), num(slices),
                           num(stacks)});
}

// ---- GLX, WGL and winmm: the per-platform files (glx_standin.cpp, ...) --

// ---- GLUT --------------------------------------------------------------

STANDIN_API void glutInit(int* /*argc*/, char** /*argv*/) { record("glutInit"); }
STANDIN_API void glutInitWindowSize(int width, int height) {
    record("glutInitWindowSize", {num(width), num(height)});
}
STANDIN_API void glutInitDisplayMode(unsigned int mode) {
    record("glutInitDisplayMode", {num(mode)});
}
STANDIN_API int glutCreateWindow(const char* title) {
    record("glutCreateWindow", {str(title)});
    return 1;
}
STANDIN_API void glutDisplayFunc(void (*func)()) {
    state.displayFunc = func;
    record("glutDisplayFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutReshapeFunc(void (*func)(int, int)) {
    state.reshapeFunc = func;
    record("glutReshapeFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutMouseFunc(void (*func)(int, int, int, int)) {
    state.mouseFunc = func;
    record("glutMouseFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutMotionFunc(void (*func)(int, int)) {
    state.motionFunc = func;
    record("glutMotionFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutKeyboardFunc(void (*func)(unsigned char, int, int)) {
    state.keyboardFunc = func;
    record("glutKeyboardFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutIdleFunc(void (*func)()) {
    state.idleFunc = func;
    record("glutIdleFunc", {callback(reinterpret_cast<const void*>(func))});
}
STANDIN_API void glutTimerFunc(unsigned int milliseconds, void (*func)(int), int value) {
    state.timers.push_back({state.clock + std::chrono::milliseconds(milliseconds), func, value});
    record("glutTimerFunc", {num(milliseconds), callback(reinterpret_cast<const void*>(func)),
                             num(value)});
}
STANDIN_API void glutPostRedisplay() {
    ++state.redisplayRequests;
    state.redisplayPending = true;
    record("glutPostRedisplay");
}
STANDIN_API void glutSwapBuffers() { record("glutSwapBuffers"); }
STANDIN_API void glutMainLoop() { record("glutMainLoop"); }
STANDIN_API int glutGet(GLenum query) {
    record("glutGet", {num(query)});
    return 0;
}
STANDIN_API int glutCreateMenu(void (*func)(int)) {
    checkMenusClosed("glutCreateMenu");
    const int id = state.nextMenuId++;
    state.menus[id].callback = func;
    state.currentMenu = id;
    record("glutCreateMenu", {callback(reinterpret_cast<const void*>(func))});
    return id;
}
STANDIN_API void glutAddMenuEntry(const char* label, int value) {
    checkMenusClosed("glutAddMenuEntry");
    checkCurrentMenuAlive("glutAddMenuEntry");
    if (state.menus.count(state.currentMenu)) {
        state.menus[state.currentMenu].entries.emplace_back(label, value);
    }
    record("glutAddMenuEntry", {str(label), num(value)});
}
STANDIN_API void glutAttachMenu(int button) {
    checkMenusClosed("glutAttachMenu");
    checkCurrentMenuAlive("glutAttachMenu");
    if (state.menus.count(state.currentMenu)) {
        state.attachedMenus[button] = state.currentMenu;
    }
    record("glutAttachMenu", {num(button)});
}
STANDIN_API void glutDestroyMenu(int menu) {
    checkMenusClosed("glutDestroyMenu");
    if (state.destroyedMenus.count(menu)) {
        state.menuFaults.push_back("glutDestroyMenu(" + std::to_string(menu) +
                                   ") on a destroyed menu");
    }
    if (state.menus.erase(menu)) {
        state.destroyedMenus.insert(menu);
        if (state.currentMenu == menu) state.currentMenu = 0;
        for (auto it = state.attachedMenus.begin(); it != state.attachedMenus.end();) {
            it = it->second == menu ? state.attachedMenus.erase(it) : std::next(it);
        }
    }
    record("glutDestroyMenu", {num(menu)});
}
STANDIN_API void glutSetMenu(int menu) {
    if (state.destroyedMenus.count(menu)) {
        state.menuFaults.push_back("glutSetMenu(" + std::to_string(menu) +
                                   ") on a destroyed menu");
    }
    // freeglut ignores an identifier that names no menu.
    if (state.menus.count(menu)) state.currentMenu = menu;
    record("glutSetMenu", {num(menu)});
}
STANDIN_API int glutGetMenu() {
    checkCurrentMenuAlive("glutGetMenu");
    record("glutGetMenu");
    return state.currentMenu;
}

#ifdef _WIN32
// On Windows freeglut's header turns the program's glutInit, glutCreateWindow
// and glutCreateMenu into these, which also take the program's exit; the log
// shows them under the names the program wrote.
extern "C" {
STANDIN_API void __glutInitWithExit(int* argc, char** argv, void(__cdecl*)(int)) {
    glutInit(argc, argv);
}
STANDIN_API int __glutCreateWindowWithExit(const char* title, void(__cdecl*)(int)) {
    return glutCreateWindow(title);
}
STANDIN_API int __glutCreateMenuWithExit(void (*func)(int), void(__cdecl*)(int)) {
    return glutCreateMenu(func);
}
}  // extern "C"

#endif

void chooseMenuEntry(int button, int value) {
    const auto attached = state.attachedMenus.find(button);
    if (attached == state.attachedMenus.end()) {
        state.menuFaults.push_back("no menu attached to button " + std::to_string(button));
        return;
    }
    const int menu = attached->second;
    const int saved = state.currentMenu;
    state.menuOpen = false;
    state.currentMenu = menu;
    state.menus[menu].callback(value);
    state.currentMenu = saved;
}

STANDIN_API std::chrono::steady_clock::time_point fakeClockNow() { return state.clock; }

STANDIN_API void runGlutLoop(std::chrono::nanoseconds duration, std::chrono::nanoseconds frameTime,
                 const std::function<void()>& onFrame) {
    const auto end = state.clock + duration;
    const auto earliest = [] {
        return std::min_element(
            state.timers.begin(), state.timers.end(),
            [](const GlutTimer& a, const GlutTimer& b) { return a.due < b.due; });
    };
    while (state.clock < end) {
        // Each due timer leaves the list before its callback runs.
        for (auto next = earliest(); next != state.timers.end() && next->due <= state.clock;
             next = earliest()) {
            const GlutTimer timer = *next;
            state.timers.erase(next);
            timer.callback(timer.value);
        }
        if (state.redisplayPending) {
            state.redisplayPending = false;
            if (onFrame) onFrame();
            state.clock += frameTime;
        }
        if (state.idleFunc) {
            ++state.idleCalls;
            state.clock += LOOP_TURN;
            state.idleFunc();
        } else if (!state.redisplayPending) {
            state.clock = state.timers.empty() ? end : std::max(state.clock, earliest()->due);
        }
    }
}
