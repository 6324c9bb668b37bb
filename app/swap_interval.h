// Asks the driver to wait for the display before each buffer swap (swap
// interval 1), through the swap-control extension the platform's GL offers,
// looked up at run time: GLX_EXT_swap_control, GLX_MESA_swap_control or
// GLX_SGI_swap_control on X11 (app/platform/swap_interval_glx.cpp),
// WGL_EXT_swap_control on Windows (swap_interval_wgl.cpp). freeglut has no
// call for it.
#pragma once

constexpr int SWAP_INTERVAL = 1;  // display refreshes per buffer swap

// Needs the window's GL context current. The name of the extension used, or
// null where none is offered (then nothing changes).
const char* requestSwapInterval();
