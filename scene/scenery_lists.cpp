// Which way the scenery is sent, and its display lists' names.
#include "scene/scenery_lists.h"

namespace {

ScenerySending sending = ScenerySending::CompiledLists;
GLuint lists[SCENERY_LIST_COUNT] = {};

}  // namespace

void setScenerySending(ScenerySending way) {
    sending = way;
}

ScenerySending scenerySending() {
    return sending;
}

void forgetSceneryLists() {
    for (GLuint& list : lists) list = 0;
}

GLuint& sceneryListSlot(int slot) {
    return lists[slot];
}
