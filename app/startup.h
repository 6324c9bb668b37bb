// Start-up: the window, the callbacks and the fixed GL state; and the
// animation tick that GLUT runs whenever it has nothing else to do.
#pragma once

// Everything main does before it hands control to glutMainLoop.
void startUp(int* argc, char** argv);
void idle();
