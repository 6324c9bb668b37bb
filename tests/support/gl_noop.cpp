// A do-nothing stand-in for the GL, GLU and GLUT calls of a step and a frame,
// so the simulation and the frame pass's own work can be timed and counted
// without a display or a GL library.
#include "tests/support/standin_exports.h"

#include <GL/glut.h>

// GLU's quadric is opaque to the program; here it is just something to point at.
class GLUquadric {};

void APIENTRY glClear(GLbitfield) {}
void APIENTRY glEnable(GLenum) {}
void APIENTRY glDisable(GLenum) {}
void APIENTRY glCullFace(GLenum) {}
void APIENTRY glFrontFace(GLenum) {}
void APIENTRY glMatrixMode(GLenum) {}
void APIENTRY glLoadIdentity() {}
void APIENTRY glPushMatrix() {}
void APIENTRY glPopMatrix() {}
void APIENTRY glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void APIENTRY glTranslatef(GLfloat, GLfloat, GLfloat) {}
void APIENTRY glScalef(GLfloat, GLfloat, GLfloat) {}
void APIENTRY glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void APIENTRY glViewport(GLint, GLint, GLsizei, GLsizei) {}
void APIENTRY glShadeModel(GLenum) {}
void APIENTRY glLightfv(GLenum, GLenum, const GLfloat*) {}
void APIENTRY glMaterialfv(GLenum, GLenum, const GLfloat*) {}
void APIENTRY glBindTexture(GLenum, GLuint) {}
void APIENTRY glBegin(GLenum) {}
void APIENTRY glEnd() {}
void APIENTRY glColor3f(GLfloat, GLfloat, GLfloat) {}
void APIENTRY glTexCoord2f(GLfloat, GLfloat) {}
void APIENTRY glVertex2f(GLfloat, GLfloat) {}
void APIENTRY glVertex3f(GLfloat, GLfloat, GLfloat) {}
GLuint APIENTRY glGenLists(GLsizei) { return 1; }
void APIENTRY glNewList(GLuint, GLenum) {}
void APIENTRY glEndList() {}
void APIENTRY glCallList(GLuint) {}
void APIENTRY glDeleteLists(GLuint, GLsizei) {}

STANDIN_API GLUquadric* APIENTRY gluNewQuadric() { return new GLUquadric; }
STANDIN_API void APIENTRY gluDeleteQuadric(GLUquadric* quadric) { delete quadric; }
STANDIN_API void APIENTRY gluQuadricDrawStyle(GLUquadric*, GLenum) {}
STANDIN_API void APIENTRY gluQuadricNormals(GLUquadric*, GLenum) {}
STANDIN_API void APIENTRY gluQuadricTexture(GLUquadric*, GLboolean) {}
STANDIN_API void APIENTRY gluSphere(GLUquadric*, GLdouble, GLint, GLint) {}
STANDIN_API void APIENTRY gluCylinder(GLUquadric*, GLdouble, GLdouble, GLdouble, GLint, GLint) {}
STANDIN_API void APIENTRY gluLookAt(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
                                    GLdouble, GLdouble, GLdouble) {}

STANDIN_API void glutSwapBuffers() {}
