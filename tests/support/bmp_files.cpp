// BMP files made to order for the tests (see bmp_files.h).
#include "tests/support/bmp_files.h"

#include <fstream>
#include <stdexcept>

namespace {

void put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

PatternColour patternColour(uint32_t x, uint32_t y) {
    return {static_cast<unsigned char>(x * 3 + 1), static_cast<unsigned char>(y * 5 + 2),
            static_cast<unsigned char>((x + y) % 7 * 30 + 3)};
}

BmpLayout sizedLayout(uint32_t width, int32_t height) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    return layout;
}

std::string makeBmp(const BmpLayout& layout) {
    const uint32_t height = layout.height < 0 ? 0u - static_cast<uint32_t>(layout.height)
                                            : static_cast<uint32_t>(layout.height);
    const uint32_t bytesPerPixel = layout.bitsPerPixel / 8u;
    const uint32_t rowBytes = layout.width * bytesPerPixel;
    const uint32_t storedRow = (rowBytes + 3) / 4 * 4;
    const uint32_t realOffset = 14 + layout.infoHeaderBytes + layout.gapBeforePixels;

    std::string out = layout.signature;
    put32(out, 0);  // file size, filled in below
    put32(out, 0);
    put32(out, layout.pixelDataOffset < 0 ? realOffset : static_cast<uint32_t>(layout.pixelDataOffset));
    put32(out, layout.infoHeaderBytes);
    put32(out, layout.width);
    put32(out, static_cast<uint32_t>(layout.height));
    put16(out, layout.planes);
    put16(out, layout.bitsPerPixel);
    put32(out, layout.compression);
    put32(out, storedRow * height);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    // Later header versions: masks, colour space and so on, here just zeros.
    while (out.size() < 14 + static_cast<size_t>(layout.infoHeaderBytes)) out += '\0';
    out.append(layout.gapBeforePixels, '\x55');
    for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        const uint32_t y = layout.height < 0 ? height - 1 - fileRow : fileRow;
        for (uint32_t x = 0; x < layout.width; ++x) {
            const PatternColour c = patternColour(x, y);
            out += static_cast<char>(c.b);
            out += static_cast<char>(c.g);
            out += static_cast<char>(c.r);
            for (uint32_t extra = 3; extra < bytesPerPixel; ++extra) out += '\xFF';
        }
        if (layout.padLastRow || fileRow + 1 < height) out.append(storedRow - rowBytes, '\0');
    }
    const uint32_t size = static_cast<uint32_t>(out.size());
    for (int i = 0; i < 4; ++i) out[2 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return out;
}

std::string headersOnly(const BmpLayout& layout) {
    std::string bytes = makeBmp(sizedLayout(1, 1)).substr(0, 54);
    const uint32_t height = static_cast<uint32_t>(layout.height);
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = static_cast<char>((layout.width >> (8 * i)) & 0xFF);
        bytes[22 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
    }
    return bytes;
}

void writeTestFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
    if (!file) throw std::runtime_error("cannot write " + path);
}

void addScenePictures(const std::string& folder) {
    BmpLayout small;
    small.width = 8;
    small.height = 8;
    for (const char* name : {"sky.bmp", "ground.bmp", "close.bmp"}) {
        writeTestFile(folder + "/" + name, makeBmp(small));
    }
}
