// A do-nothing stand-in for the GL, GLU and GLUT calls of a step and a frame,
// so the simulation and the frame pass's own work can be timed and counted
// without a display or a GL library.
#include <GL/glut.h>

// GLU's quadric is opaque to the program; here it is just something to point at.
class GLUquadric {};

void glClear(GLbitfield) {}
void glEnable(GLenum) {}
void glDisable(GLenum) {}
void glMatrixMode(GLenum) {}
void glLoadIdentity() {}
void glPushMatrix() {}
void glPopMatrix() {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glScalef(GLfloat, GLfloat, GLfloat) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glShadeModel(GLenum) {}
void glLightfv(GLenum, GLenum, const GLfloat*) {}
void glMaterialfv(GLenum, GLenum, const GLfloat*) {}
void glBindTexture(GLenum, GLuint) {}
void glBegin(GLenum) {}
void glEnd() {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glVertex2f(GLfloat, GLfloat) {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
GLuint glGenLists(GLsizei) { return 1; }
void glNewList(GLuint, GLenum) {}
void glEndList() {}
void glCallList(GLuint) {}
void glDeleteLists(GLuint, GLsizei) {}

GLUquadric* gluNewQuadric() { return new GLUquadric; }
void gluDeleteQuadric(GLUquadric* quadric) { delete quadric; }
void gluQuadricDrawStyle(GLUquadric*, GLenum) {}
void gluQuadricNormals(GLUquadric*, GLenum) {}
void gluQuadricTexture(GLUquadric*, GLboolean) {}
void gluSphere(GLUquadric*, GLdouble, GLint, GLint) {}
void gluCylinder(GLUquadric*, GLdouble, GLdouble, GLdouble, GLint, GLint) {}
void gluLookAt(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble,
               GLdouble) {}

void glutSwapBuffers() {}
