// The three ledges: flat textured discs capping the rocks at the water's height.
#include "scene/ledges.h"

#include <GL/gl.h>

#include <cstddef>

#include "image/texture_ids.h"
#include "scene/circle_outline.h"
#include "scene/scenery_lists.h"

namespace {

constexpr float LEDGE_RADIUS = 0.6f; // scene units
constexpr float LEDGE_HEIGHT = 1.3f; // scene units: the rocks' tops
// Outline centres along x; the frame shift below triples them, so the discs
// land on the rocks at -0.9, 0.9 and 0.
constexpr float LEDGE_CENTRES_X[] = {-0.3f, 0.3f, 0.0f};

}  // namespace

void sendOutlineFan(const std::vector<Point2>& outline) {
    glBegin(GL_TRIANGLE_FAN);
    // Signed, so that an empty outline sends nothing.
    const long count = static_cast<long>(outline.size());
    for (long i = 0; i < count - 1; ++i) {
        const Point2& point = outline[static_cast<std::size_t>(i)];
        glVertex2f(point.x, point.y);
    }
    glEnd();
}

namespace {

// The fan sent by `sendFan`, textured, in a bracket of its own.
template <typename SendFan>
void drawInOutlineBracket(SendFan sendFan) {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, ROCK_TEXTURE);
    glMatrixMode(GL_MODELVIEW);
    sendFan();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

}  // namespace

void drawFilledOutline(const std::vector<Point2>& outline) {
    drawInOutlineBracket([&outline] { sendOutlineFan(outline); });
}

void drawLedges() {
    // Each outline is made anew into the same storage, and only when its fan
    // is sent directly or compiled: after the first frame the ledges
    // allocate nothing.
    static std::vector<Point2> outline;
    int slot = LEDGE_LIST_FIRST;
    for (const float centreX : LEDGE_CENTRES_X) {
        glPushMatrix();
        // Lay the outline's plane flat about the line y = 1.3; the second shift
        // repeats +x rather than undoing it, which moves each disc out to 3x.
        glTranslatef(centreX, LEDGE_HEIGHT, 0.0f);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(centreX, -LEDGE_HEIGHT, 0.0f);
        drawInOutlineBracket([centreX, slot] {
            // The fan holds no normal and no texture coordinate, so its list
            // takes GL's current ones when called, as the direct fan does.
            sendSceneryShape(slot, [centreX] {
                circleOutlineInto(LEDGE_RADIUS, {centreX, LEDGE_HEIGHT}, outline);
                sendOutlineFan(outline);
            });
        });
        ++slot;
        glPopMatrix();
    }
}
