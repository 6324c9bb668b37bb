// The recording stand-in's GL and GLU calls: each is logged, and the little
// of GL's state the tests ask about is kept in GlState (enabled
// capabilities, matrix stacks, the bound texture, display lists, quadrics).
#include "tests/support/gl_recorder.h"

#include <string>

#include "tests/support/call_record.h"

using namespace recorder;

namespace {

GlState& state = glState();

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

int valuesOf(GLenum pname) {
    switch (pname) {
    case GL_SHININESS: case GL_FOG_DENSITY: case GL_FOG_START: case GL_FOG_END: return 1;
    case GL_SPOT_DIRECTION: return 3;
    default: return 4;
    }
}

int& depthOfCurrentStack() {
    return state.matrixMode == GL_PROJECTION ? state.projectionDepth : state.modelviewDepth;
}

}  // namespace

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
void APIENTRY glCullFace(GLenum mode) { record("glCullFace", {en(mode)}); }
void APIENTRY glFrontFace(GLenum mode) { record("glFrontFace", {en(mode)}); }
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
