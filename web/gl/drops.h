// The drops: runs of glPushMatrix, glTranslatef, glCallList of the same
// one-mesh list, glPopMatrix, held back and drawn as instances of that mesh.
#pragma once

namespace gl_layer {

// Called by glPushMatrix, glTranslatef and glPopMatrix in place of
// enterCall: they keep a run going.
void notePush();
void noteTranslate();
void notePop();
// Called by glCallList first: true when the call joined the pending run
// (the list is not to be drawn now).
bool deferDrop(unsigned list);
void drawPendingDrops();

}  // namespace gl_layer
