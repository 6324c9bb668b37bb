// The three rocks: open textured cylinders standing side by side.
#include "scene/rocks.h"

#include <GL/glu.h>

#include "app/globals.h"
#include "image/texture_ids.h"
#include "scene/scenery_lists.h"

namespace {

constexpr GLint ROCK_SLICES = 15;
constexpr GLint ROCK_STACKS = 15;

struct Rock {
    enum class Placement { Scale, Translate } placement;
    GLfloat x, y, z;  // the scale factors or the offset, in the upright cylinder's frame
    GLdouble baseRadius, topRadius, height;  // scene units
};

// After the turn to upright, local y points along -z of the rocks' frame:
// the middle rock is stretched there, the outer ones stand 0.9 either side.
constexpr Rock ROCKS[] = {
    {Rock::Placement::Scale, 1.0f, 1.5f, 1.0f, 0.45, 0.45, 1.3},
    {Rock::Placement::Translate, 0.0f, 0.9f, 0.0f, 0.75, 0.6, 1.3},
    {Rock::Placement::Translate, 0.0f, -0.9f, 0.0f, 0.75, 0.6, 1.3},
};

}  // namespace

void drawRocks() {
    int slot = ROCK_LIST_FIRST;
    for (const Rock& rock : ROCKS) {
        glEnable(GL_TEXTURE_2D);
        glPushMatrix();
        glBindTexture(GL_TEXTURE_2D, ROCK_TEXTURE);
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // the cylinder's axis up along +y
        if (rock.placement == Rock::Placement::Scale) {
            glScalef(rock.x, rock.y, rock.z);
        } else {
            glTranslatef(rock.x, rock.y, rock.z);
        }
        sendSceneryShape(slot++, [&rock] {
            gluCylinder(sceneQuadric, rock.baseRadius, rock.topRadius, rock.height, ROCK_SLICES,
                        ROCK_STACKS);
        });
        glPopMatrix();
        glDisable(GL_TEXTURE_2D);
    }
}
