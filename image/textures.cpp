// Texture objects for the scene: the placeholder object 0 and the pictures
// uploaded from BMP files at start-up.
#include "image/textures.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "image/texture_ids.h"

namespace {

constexpr GLsizei DEFAULT_TEXTURE_SIDE = 64;  // pixels
constexpr GLint RGB_COMPONENTS = 3;           // the internal format: three components
constexpr GLint PACKED_ROW_ALIGNMENT = 1;     // bytes
constexpr GLint GL_DEFAULT_ROW_ALIGNMENT = 4; // bytes, GL's unpack default

// What this GL can hold in one texture side, in pixels.
uint32_t maxTextureSide() {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side > 0 ? static_cast<uint32_t>(side) : BMP_DEFAULT_MAX_SIDE;
}

void releaseLoadedImage() {
    if (!loadedImage) return;
    releaseImagePixels(loadedImage);
    delete loadedImage;
    loadedImage = nullptr;
}

}  // namespace

Image* loadedImage = nullptr;

void enableTexturing() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}

void initDefaultTexture() {
    glBindTexture(GL_TEXTURE_2D, DEFAULT_TEXTURE);
    glTexImage2D(GL_TEXTURE_2D, 0, RGB_COMPONENTS, DEFAULT_TEXTURE_SIDE, DEFAULT_TEXTURE_SIDE, 0,
                 GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

void loadTexture(const char* fileName, unsigned int textureId) {
    // GL keeps its own copy of every upload: only the latest picture is held.
    releaseLoadedImage();
    loadedImage = new (std::nothrow) Image{0, 0, nullptr};
    if (!loadedImage) {
        std::printf("Error allocating space for image");
        std::exit(1);
    }
    std::printf("trying to load %s\n", fileName);
    std::fflush(stdout);
    if (!readBmp(fileName, loadedImage, maxTextureSide())) {
        std::exit(1);
    }

    glBindTexture(GL_TEXTURE_2D, textureId);
    // The rows are packed; GL's default alignment agrees only when a row is a
    // whole number of 4-byte words, so other widths switch it for the upload.
    const bool packedRowsAligned = loadedImage->width * 3 % GL_DEFAULT_ROW_ALIGNMENT == 0;
    if (!packedRowsAligned) glPixelStorei(GL_UNPACK_ALIGNMENT, PACKED_ROW_ALIGNMENT);
    glTexImage2D(GL_TEXTURE_2D, 0, RGB_COMPONENTS, static_cast<GLsizei>(loadedImage->width),
                 static_cast<GLsizei>(loadedImage->height), 0, GL_RGB, GL_UNSIGNED_BYTE,
                 loadedImage->pixels);
    if (!packedRowsAligned) glPixelStorei(GL_UNPACK_ALIGNMENT, GL_DEFAULT_ROW_ALIGNMENT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}
