// The texture objects by number, and the pictures that fill them.
#pragma once

#include <GL/gl.h>

constexpr GLuint DEFAULT_TEXTURE = 0;  // 64 x 64 placeholder, never drawn
constexpr GLuint SKY_TEXTURE = 1;      // loaded, never drawn
constexpr GLuint GROUND_TEXTURE = 2;   // the ground
constexpr GLuint ROCK_TEXTURE = 3;     // the rocks and the ledges

constexpr const char* SKY_PICTURE = "sky.bmp";
constexpr const char* GROUND_PICTURE = "ground.bmp";
constexpr const char* ROCK_PICTURE = "close.bmp";
