// Asks the driver to wait for the display before each buffer swap (swap
// interval 1), through the swap-control extension the platform's GL offers,
// looked up at run time: GLX_EXT_swap_control, GLX_MESA_swap_control or
// GLX_SGI_swap_control on X11, WGL_EXT_swap_control on Windows. freeglut has
// no call for it.
#pragma once

// Needs the window's GL context current. The name of the extension used, or
// null where none is offered (then nothing changes).
const char* requestSwapInterval();
