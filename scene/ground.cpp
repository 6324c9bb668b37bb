// The textured ground: a long trapezoid in the plane y = 0.
#include "scene/ground.h"

#include <GL/gl.h>

#include "app/globals.h"
#include "image/texture_ids.h"
#include "scene/window_size.h"

namespace {

// Half-widths in units of the aspect ratio, and depths in scene units.
constexpr GLfloat FAR_HALF_WIDTH = 6.0f;
constexpr GLfloat NEAR_HALF_WIDTH = 3.0f;
constexpr GLfloat FAR_Z = -2.0f;
constexpr GLfloat NEAR_Z = 60.0f;

}  // namespace

void drawGround() {
    // A minimised window reports a height of 0; count it as 1 like the projection.
    const GLfloat aspect =
        static_cast<GLfloat>(windowWidth) / static_cast<GLfloat>(divisorHeight(windowHeight));
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, GROUND_TEXTURE);
    glBegin(GL_POLYGON);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-FAR_HALF_WIDTH * aspect, 0.0f, FAR_Z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(FAR_HALF_WIDTH * aspect, 0.0f, FAR_Z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(NEAR_HALF_WIDTH * aspect, 0.0f, NEAR_Z);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-NEAR_HALF_WIDTH * aspect, 0.0f, NEAR_Z);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
