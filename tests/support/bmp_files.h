// BMP files made to order for the tests: valid pictures with a known pattern,
// and every kind of broken or unusual header the reader meets.
#pragma once

#include <cstdint>
#include <string>

struct BmpLayout {
    uint32_t width = 64;
    int32_t height = 64;  // negative: rows stored top-down
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t infoHeaderBytes = 40;
    uint32_t gapBeforePixels = 0;   // extra bytes between the headers and the pixels
    int64_t pixelDataOffset = -1;   // -1: where the pixels really start
    bool padLastRow = true;
    std::string signature = "BM";
};

// The colour the pattern gives the pixel in column x, row y counted from the
// bottom of the picture, as R G B.
struct PatternColour {
    unsigned char r, g, b;
};
PatternColour patternColour(uint32_t x, uint32_t y);

// A layout of this size, every other field as above.
BmpLayout sizedLayout(uint32_t width, int32_t height);

// A whole file: headers, then rows of the pattern in file order (bottom-up
// unless the height is negative), each padded to 4 bytes.
std::string makeBmp(const BmpLayout& layout);

// The 54 header bytes of a picture of this layout's size, and no pixels.
std::string headersOnly(const BmpLayout& layout);

// Writes bytes to a file.
void writeTestFile(const std::string& path, const std::string& bytes);

// sky.bmp, ground.bmp and close.bmp, small valid pictures, into `folder`.
void addScenePictures(const std::string& folder);
