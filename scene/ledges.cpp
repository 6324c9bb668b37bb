// The three ledges: flat textured discs capping the rocks at the water's height.
#include "scene/ledges.h"

#include <GL/gl.h>

#include <cstddef>

#include "image/texture_ids.h"
#include "scene/circle_outline.h"

namespace {

constexpr float LEDGE_RADIUS = 0.6f; // scene units
constexpr float LEDGE_HEIGHT = 1.3f; // scene units: the rocks' tops
// Outline centres along x; the frame shift below triples them, so the discs
// land on the rocks at -0.9, 0.9 and 0.
constexpr float LEDGE_CENTRES_X[] = {-0.3f, 0.3f, 0.0f};

}  // namespace

void drawFilledOutline(const std::vector<Point2>& outline) {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, ROCK_TEXTURE);
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_TRIANGLE_FAN);
    // Signed, so that an empty outline sends nothing.
    const long count = static_cast<long>(outline.size());
    for (long i = 0; i < count - 1; ++i) {
        const Point2& point = outline[static_cast<std::size_t>(i)];
        glVertex2f(point.x, point.y);
    }
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void drawLedges() {
    // Each outline is made anew into the same storage: after the first frame
    // the ledges allocate nothing.
    static std::vector<Point2> outline;
    for (const float centreX : LEDGE_CENTRES_X) {
        glPushMatrix();
        // Lay the outline's plane flat about the line y = 1.3; the second shift
        // repeats +x rather than undoing it, which moves each disc out to 3x.
        glTranslatef(centreX, LEDGE_HEIGHT, 0.0f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(centreX, -LEDGE_HEIGHT, 0.0f);
        circleOutlineInto(LEDGE_RADIUS, {centreX, LEDGE_HEIGHT}, outline);
        drawFilledOutline(outline);
        glPopMatrix();
    }
}
