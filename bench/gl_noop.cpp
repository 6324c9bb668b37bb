// A do-nothing stand-in for the few GL and GLU calls the particle code makes,
// so the simulation can be timed without a display or a GL library.
#include <GL/glu.h>

// GLU's quadric is opaque to the program; here it is just something to point at.
class GLUquadric {};

void glMatrixMode(GLenum) {}
void glPushMatrix() {}
void glPopMatrix() {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}

GLUquadric* gluNewQuadric() { return new GLUquadric; }
void gluDeleteQuadric(GLUquadric* quadric) { delete quadric; }
void gluQuadricDrawStyle(GLUquadric*, GLenum) {}
void gluQuadricNormals(GLUquadric*, GLenum) {}
void gluQuadricTexture(GLUquadric*, GLboolean) {}
void gluSphere(GLUquadric*, GLdouble, GLint, GLint) {}
