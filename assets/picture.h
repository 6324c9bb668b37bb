// An RGB picture in memory and its writer: uncompressed 24-bit BMP.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct Rgb {
    float r, g, b;  // 0 to 1
};

Rgb mixRgb(Rgb a, Rgb b, float t);
Rgb scaleRgb(Rgb c, float factor);
// A channel from 0 to 1 as a byte, clamped and rounded.
uint8_t toByte(float value);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows bottom-up, as a BMP stores them
    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The file bytes of a BMP with a 40-byte information header, bottom-up rows,
// each padded to 4 bytes.
std::vector<uint8_t> encodeBmp(const Picture& picture);

// Little-endian fields for the file writers.
void putUint16LE(std::vector<uint8_t>& out, uint32_t value);
void putUint32LE(std::vector<uint8_t>& out, uint32_t value);

// Writes bytes to a file; false if it cannot.
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace assets
