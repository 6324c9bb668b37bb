// The frame pass and the projection: GLUT's display and reshape callbacks.
#pragma once

void display();
void reshape(int width, int height);
