// Reads uncompressed 24-bit BMP pictures into packed RGB rows, bottom row first.
#pragma once

#include <cstdint>
#include <cstdio>

struct Image {
    uint32_t width;          // pixels
    uint32_t height;         // pixels, always counted upwards from the bottom row
    unsigned char* pixels;   // width * height * 3 bytes, R G B, no padding between rows
};

// Largest side a caller accepts when it names no limit of its own.
constexpr uint32_t BMP_DEFAULT_MAX_SIDE = 16384;  // pixels

// The next 4 or 2 bytes of a stream, little-endian. A byte past the end
// counts as EOF (-1) in the sum, which is then cut to 32 or 16 bits.
uint32_t readUint32LE(FILE* file);
uint16_t readUint16LE(FILE* file);

// Opens fileName and reads it with readBmpStream; 1 on success, 0 after the
// reason has been printed on standard output.
int readBmp(const char* fileName, Image* image, uint32_t maxSide = BMP_DEFAULT_MAX_SIDE);

// Reads a BMP from a stream positioned at its first byte; fileName only names
// it in messages. Pictures wider or taller than maxSide are refused. On
// success image->pixels is a new malloc'd block; on failure nothing is kept.
// The stream stays open: its owner closes it.
int readBmpStream(FILE* file, const char* fileName, Image* image,
                  uint32_t maxSide = BMP_DEFAULT_MAX_SIDE);

// Frees the pixel block of an image read above.
void releaseImagePixels(Image* image);
