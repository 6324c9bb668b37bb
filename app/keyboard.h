// Single-letter commands: animate, zoom mode, fog, help, quit, camera reset.
#pragma once

void keyboard(unsigned char key, int x, int y);
void toggleFog();
void printHelp();
