// Texture objects for the scene: the placeholder object 0 and the pictures
// uploaded from BMP files at start-up.
#pragma once

#include "image/bmp_reader.h"

// The picture of the latest loadTexture call; it is released by the next one.
extern Image* loadedImage;

// Depth test and 2D texturing on, before any texture is made.
void enableTexturing();
// Texture object 0: a 64 x 64 RGB image with no contents, clamped, nearest.
void initDefaultTexture();
// Reads fileName into texture object textureId and leaves that object bound;
// a picture that cannot be read ends the process with status 1.
void loadTexture(const char* fileName, unsigned int textureId);
