// An RGB picture in memory and its writer: uncompressed 24-bit BMP.
#include "assets/picture.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace assets {

namespace {

constexpr uint32_t FILE_HEADER_BYTES = 14;
constexpr uint32_t INFO_HEADER_BYTES = 40;
constexpr uint32_t PIXELS_PER_METRE = 2835;  // 72 dots per inch

}  // namespace

Rgb mixRgb(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaleRgb(Rgb c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

uint8_t toByte(float value) {
    const float clamped = std::min(1.0f, std::max(0.0f, value));
    return static_cast<uint8_t>(std::lround(clamped * 255.0f));
}

void putUint16LE(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFFu));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFFu));
}

void putUint32LE(std::vector<uint8_t>& out, uint32_t value) {
    putUint16LE(out, value & 0xFFFFu);
    putUint16LE(out, value >> 16);
}

std::vector<uint8_t> encodeBmp(const Picture& picture) {
    const uint32_t width = static_cast<uint32_t>(picture.width);
    const uint32_t height = static_cast<uint32_t>(picture.height);
    const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t pixelBytes = rowBytes * height;
    const uint32_t dataOffset = FILE_HEADER_BYTES + INFO_HEADER_BYTES;
    std::vector<uint8_t> out;
    out.reserve(dataOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    putUint32LE(out, dataOffset + pixelBytes);
    putUint32LE(out, 0);  // reserved
    putUint32LE(out, dataOffset);
    putUint32LE(out, INFO_HEADER_BYTES);
    putUint32LE(out, width);
    putUint32LE(out, height);  // positive: bottom-up rows
    putUint16LE(out, 1);       // planes
    putUint16LE(out, 24);      // bits per pixel
    putUint32LE(out, 0);       // no compression
    putUint32LE(out, pixelBytes);
    putUint32LE(out, PIXELS_PER_METRE);
    putUint32LE(out, PIXELS_PER_METRE);
    putUint32LE(out, 0);  // colours used
    putUint32LE(out, 0);  // important colours
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const Rgb& c = picture.pixels[static_cast<size_t>(y) * width + x];
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        for (uint32_t pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace assets
