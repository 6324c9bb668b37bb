// Reading the blank-separated extension lists that GL's window systems give.
#pragma once

// Whether `list` names `name` as a whole word: "GLX_EXT_swap_control_tear"
// does not name GLX_EXT_swap_control. A null list names nothing.
bool extensionListed(const char* list, const char* name);
