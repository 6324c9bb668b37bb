// The rocks' cylinders and the ledges' fans as display lists, each compiled
// on its first draw (a GL context exists by then) and called after that.
#pragma once

#include <GL/gl.h>

// How the rocks and the ledges send their shapes. The program uses the
// lists; the direct way, every call each frame, is the reference that the
// lists' frames are compared with.
enum class ScenerySending { CompiledLists, Immediate };

// One list per shape: the three rocks, then the three ledges.
constexpr int ROCK_LIST_FIRST = 0;
constexpr int LEDGE_LIST_FIRST = 3;
constexpr int SCENERY_LIST_COUNT = 6;

void setScenerySending(ScenerySending way);
ScenerySending scenerySending();
// Forgets the compiled lists, so the next draw compiles them anew: for a new
// GL context, or a recorder that was reset.
void forgetSceneryLists();
// The list in `slot`, 0 while none is compiled there.
GLuint& sceneryListSlot(int slot);

// Sends the shape in `slot`: calls its list, compiling `send` into it first
// if need be. Sent directly when asked to, or when GL gives no list (and
// then no list is asked for again).
template <typename Send>
void sendSceneryShape(int slot, Send send) {
    if (scenerySending() == ScenerySending::Immediate) {
        send();
        return;
    }
    GLuint& list = sceneryListSlot(slot);
    if (list == 0) {
        list = glGenLists(1);
        if (list == 0) {
            setScenerySending(ScenerySending::Immediate);
            send();
            return;
        }
        glNewList(list, GL_COMPILE);
        send();
        glEndList();
    }
    glCallList(list);
}
